#include "KelLargeArrayAllocator.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__) && defined(MADV_HUGEPAGE)
constexpr std::size_t kLargePage = std::size_t(2) << 20;
// From a quarter of a large page on: filling fresh memory costs one fault per small page, and
// under a hypervisor those faults cost more than the rest of a short run (a mesh operator's
// working arrays); a large page's unused tail is the lesser price.
constexpr std::size_t kLargeArrayBytes = kLargePage / 4;

bool IsLarge(std::size_t iBytes, std::size_t iAlignment)
{
  return iBytes >= kLargeArrayBytes && iBytes <= static_cast<std::size_t>(-1) - kLargePage && iAlignment <= kLargePage;
}
#else
bool IsLarge(std::size_t, std::size_t) { return false; }
#endif

}  // namespace

void* KelAllocateLargeArray(std::size_t iBytes, std::size_t iAlignment)
{
  // The aligned operator new rounds the size up to the alignment: near the top of the range
  // that wraps round to a tiny block instead of failing.
  if (iBytes > static_cast<std::size_t>(-1) / 2) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (IsLarge(iBytes, iAlignment)) {
    // Whole large pages, aligned on one, so that each can be backed by a large page.
    const std::size_t rounded = (iBytes + kLargePage - 1) / kLargePage * kLargePage;
    void* array = std::aligned_alloc(kLargePage, rounded);
    if (!array) throw std::bad_alloc();
    madvise(array, rounded, MADV_HUGEPAGE);  // advice only: a refusal changes nothing
    return array;
  }
#endif
  return ::operator new(iBytes, std::align_val_t(iAlignment));
}

void KelFreeLargeArray(void* iArray, std::size_t iBytes, std::size_t iAlignment)
{
  if (IsLarge(iBytes, iAlignment)) std::free(iArray);
  else ::operator delete(iArray, std::align_val_t(iAlignment));
}
