#ifndef KelLargeArrayAllocator_h
#define KelLargeArrayAllocator_h
// Allocator for arrays of half a megabyte and more read at random places (the mesh arrays,
// an operator's working arrays): where the system offers it they are backed by large pages,
// so that filling one faults once per large page instead of once per small one and random
// reads miss the address cache less. Smaller arrays, and every array on other systems or
// under AddressSanitizer, come from operator new as usual.

#include <cstddef>

// Throw std::bad_alloc when memory runs out.
void* KelAllocateLargeArray(std::size_t iBytes, std::size_t iAlignment);
void KelFreeLargeArray(void* iArray, std::size_t iBytes, std::size_t iAlignment);

// Large arrays freed are kept, up to a limit in all, for the next arrays of their size: an
// operator run again over a mesh of the same size (a session's next edit, a batch) finds its
// memory ready instead of faulting in fresh pages. Oldest go first. The limit is a sixteenth
// of the physical memory, and at least 256 MB.
std::size_t KelLargeArrayRetentionLimit();
// Gives the kept arrays back to the system (also done before an allocation fails).
void KelReleaseLargeArrays();
std::size_t KelRetainedLargeArrayBytes();

template <class T>
class KelLargeArrayAllocator {
public:
  using value_type = T;

  KelLargeArrayAllocator() = default;
  template <class U>
  KelLargeArrayAllocator(const KelLargeArrayAllocator<U>&) {}

  T* allocate(std::size_t iCount) { return static_cast<T*>(KelAllocateLargeArray(Bytes(iCount), alignof(T))); }
  void deallocate(T* iArray, std::size_t iCount) { KelFreeLargeArray(iArray, Bytes(iCount), alignof(T)); }

  template <class U>
  bool operator==(const KelLargeArrayAllocator<U>&) const { return true; }
  template <class U>
  bool operator!=(const KelLargeArrayAllocator<U>&) const { return false; }

private:
  static std::size_t Bytes(std::size_t iCount)
  {
    // A count whose size overflows asks for everything, which fails as it should.
    return iCount > static_cast<std::size_t>(-1) / sizeof(T) ? static_cast<std::size_t>(-1) : iCount * sizeof(T);
  }
};

#endif
