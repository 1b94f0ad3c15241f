#ifndef KelIntSearch_h
#define KelIntSearch_h
// Membership in a short list of ints, for the few neighbours around a vertex: comparing every
// value beats marks in an array over all points once that array no longer fits the cache.

#include <cstddef>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The longest list worth comparing value by value against another short list: past it the
// comparisons, which grow with the product of the two lengths, cost more than marks.
constexpr std::size_t KelShortListMost = 96;

// Readies ioValues for a list of iCount values compared by KelIsAmong: at least as many
// slots as the count rounded up to four, the slots past the count zero (0 is no point). The
// caller then writes the first iCount; returns the rounded count to pass to KelIsAmong.
inline std::size_t KelPrepareShortList(std::vector<int>& ioValues, const std::size_t iCount)
{
  const std::size_t padded = (iCount + 3) / 4 * 4;
  if (ioValues.size() < padded) ioValues.resize(padded);
  for (std::size_t i = iCount; i < padded; ++i) ioValues[i] = 0;
  return padded;
}

// Whether the value is among the first iCount values, a multiple of four (pad with a value
// never asked): every value is compared, without a branch on where or whether it is found.
inline bool KelIsAmong(const int* iValues, const std::size_t iCount, const int iValue)
{
#if defined(__SSE2__)
  const __m128i value = _mm_set1_epi32(iValue);
  __m128i found = _mm_setzero_si128();
  for (std::size_t i = 0; i < iCount; i += 4)
    found = _mm_or_si128(found, _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(iValues + i)), value));
  return _mm_movemask_epi8(found) != 0;
#else
  bool found = false;
  for (std::size_t i = 0; i < iCount; ++i) found |= iValues[i] == iValue;
  return found;
#endif
}

#endif
