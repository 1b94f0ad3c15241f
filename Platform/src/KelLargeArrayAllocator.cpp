#include "KelLargeArrayAllocator.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__) && defined(MADV_HUGEPAGE)
constexpr std::size_t kLargePage = std::size_t(2) << 20;

bool IsLarge(std::size_t iBytes, std::size_t iAlignment)
{
  return iBytes >= kLargePage && iBytes <= static_cast<std::size_t>(-1) - kLargePage && iAlignment <= kLargePage;
}
#else
bool IsLarge(std::size_t, std::size_t) { return false; }
#endif

}  // namespace

void* KelAllocateLargeArray(std::size_t iBytes, std::size_t iAlignment)
{
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
