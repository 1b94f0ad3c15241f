#include "KelLargeArrayAllocator.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

// Under AddressSanitizer every array comes from operator new, so that its bounds are checked.
#if defined(__SANITIZE_ADDRESS__)
#define KEL_NO_LARGE_PAGES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEL_NO_LARGE_PAGES 1
#endif
#endif

#if defined(__linux__) && defined(MADV_HUGEPAGE) && !defined(KEL_NO_LARGE_PAGES)
#define KEL_LARGE_PAGES 1
#endif

namespace {

#if defined(KEL_LARGE_PAGES)
constexpr std::size_t kLargePage = std::size_t(2) << 20;
// From a quarter of a large page on: filling fresh memory costs one fault per small page, and
// under a hypervisor those faults cost more than the rest of a short run (a mesh operator's
// working arrays); a large page's unused tail is the lesser price.
constexpr std::size_t kLargeArrayBytes = kLargePage / 4;

// Sizes past half the address space are refused before this is asked.
bool IsLarge(std::size_t iBytes, std::size_t iAlignment) { return iBytes >= kLargeArrayBytes && iAlignment <= kLargePage; }

std::size_t WholeLargePages(std::size_t iBytes) { return (iBytes + kLargePage - 1) / kLargePage * kLargePage; }

// Freed arrays kept for the next ones: memory fresh from the system costs a fault per page
// (and under a hypervisor, often the host's work of backing it), which for an operator run
// over a large mesh is a good part of the run. The mapped blocks are kept apart from the C
// library's heap, where blocks this size aligned on a large page leave gaps that other
// allocations take, so that the heap grows and every run lands on fresh memory anyway.
struct Retained {
  void* array;
  std::size_t bytes;
};

// A fixed table, so that freeing never allocates.
struct RetainedArrays {
  static constexpr std::size_t kMaxArrays = 64;
  std::mutex lock;
  Retained arrays[kMaxArrays];  // oldest first
  std::size_t count = 0;
  std::size_t bytes = 0;

  // Takes entry i out of the table (the array stays mapped) and returns it.
  void* RemoveAt(std::size_t i)
  {
    void* array = arrays[i].array;
    bytes -= arrays[i].bytes;
    std::copy(arrays + i + 1, arrays + count, arrays + i);
    --count;
    return array;
  }
  void DropOldest()
  {
    const std::size_t oldestBytes = arrays[0].bytes;
    munmap(RemoveAt(0), oldestBytes);
  }
};

RetainedArrays& Retention()
{
  // Never destroyed: arrays may be freed by other static destructors.
  static RetainedArrays* retention = new RetainedArrays;
  return *retention;
}

void* MapLargePages(std::size_t iBytes)
{
  // One large page more is mapped, and the head and tail around a large-page boundary given
  // back, so that each large page of the array can be backed by one.
  void* mapped = mmap(nullptr, iBytes + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t start = (first + kLargePage - 1) / kLargePage * kLargePage;
  if (start > first) munmap(mapped, start - first);
  const std::size_t tail = kLargePage - (start - first);
  if (tail) munmap(reinterpret_cast<void*>(start + iBytes), tail);
  void* array = reinterpret_cast<void*>(start);
  madvise(array, iBytes, MADV_HUGEPAGE);  // advice only: a refusal changes nothing
  return array;
}

// A kept block of the size, the latest first: arrays are whole large pages, so one asked for
// again (an operator run again over a mesh of the same size) finds its block.
void* TakeRetained(std::size_t iBytes)
{
  RetainedArrays& retention = Retention();
  const std::lock_guard<std::mutex> guard(retention.lock);
  for (std::size_t i = retention.count; i-- > 0;)
    if (retention.arrays[i].bytes == iBytes) return retention.RemoveAt(i);
  return nullptr;
}

void Retain(void* iArray, std::size_t iBytes)
{
  RetainedArrays& retention = Retention();
  const std::lock_guard<std::mutex> guard(retention.lock);
  if (retention.count == RetainedArrays::kMaxArrays) retention.DropOldest();
  retention.arrays[retention.count++] = {iArray, iBytes};
  retention.bytes += iBytes;
  while (retention.bytes > KelLargeArrayRetentionLimit()) retention.DropOldest();
}
#endif

}  // namespace

std::size_t KelLargeArrayRetentionLimit()
{
  static const std::size_t limit = [] {
    std::size_t bytes = std::size_t(256) << 20;
#if defined(__linux__)
    const long pages = sysconf(_SC_PHYS_PAGES), pageBytes = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageBytes > 0)
      bytes = std::max(bytes, static_cast<std::size_t>(pages) / 16 * static_cast<std::size_t>(pageBytes));
#endif
    return bytes;
  }();
  return limit;
}

void KelReleaseLargeArrays()
{
#if defined(KEL_LARGE_PAGES)
  RetainedArrays& retention = Retention();
  const std::lock_guard<std::mutex> guard(retention.lock);
  while (retention.count) retention.DropOldest();
#endif
}

std::size_t KelRetainedLargeArrayBytes()
{
#if defined(KEL_LARGE_PAGES)
  RetainedArrays& retention = Retention();
  const std::lock_guard<std::mutex> guard(retention.lock);
  return retention.bytes;
#else
  return 0;
#endif
}

void* KelAllocateLargeArray(std::size_t iBytes, std::size_t iAlignment)
{
  // The aligned operator new rounds the size up to the alignment: near the top of the range
  // that wraps round to a tiny block instead of failing.
  if (iBytes > static_cast<std::size_t>(-1) / 2) throw std::bad_alloc();
#if defined(KEL_LARGE_PAGES)
  if (IsLarge(iBytes, iAlignment)) {
    const std::size_t rounded = WholeLargePages(iBytes);
    void* array = TakeRetained(rounded);
    if (!array) array = MapLargePages(rounded);
    if (!array) {
      KelReleaseLargeArrays();  // kept blocks may be what the system lacks
      array = MapLargePages(rounded);
    }
    if (!array) throw std::bad_alloc();
    return array;
  }
#endif
  return ::operator new(iBytes, std::align_val_t(iAlignment));
}

void KelFreeLargeArray(void* iArray, [[maybe_unused]] std::size_t iBytes, std::size_t iAlignment)
{
  if (!iArray) return;
#if defined(KEL_LARGE_PAGES)
  if (IsLarge(iBytes, iAlignment)) {
    Retain(iArray, WholeLargePages(iBytes));
    return;
  }
#endif
  ::operator delete(iArray, std::align_val_t(iAlignment));
}
