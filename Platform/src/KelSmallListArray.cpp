#include "KelSmallListArray.h"

#include <algorithm>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void KelSmallListArray::Assign(std::size_t iCount)
{
  _lists.assign(iCount, Line());
  _spilled.clear();
  _freeSpills.clear();
}

bool KelSmallListArray::Grow(std::size_t iCount)
{
  if (iCount <= _lists.size()) return true;
  try {
    _lists.resize(iCount);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

std::size_t KelSmallListArray::CapacityBytes() const
{
  std::size_t bytes = _lists.capacity() * sizeof(Line) + _spilled.capacity() * sizeof(std::vector<int>) +
                      _freeSpills.capacity() * sizeof(int);
  for (const std::vector<int>& values : _spilled) bytes += values.capacity() * sizeof(int);
  return bytes;
}

void KelSmallListArray::AppendSpilled(Line& ioLine, int iValue)
{
  if (ioLine.count == kInline) {
    int spill = static_cast<int>(_spilled.size());
    if (!_freeSpills.empty()) {
      spill = _freeSpills.back();
      _freeSpills.pop_back();
    } else {
      _spilled.emplace_back();
    }
    _spilled[static_cast<std::size_t>(spill)].assign(ioLine.values, ioLine.values + kInline);
    ioLine.values[0] = spill;
  }
  _spilled[static_cast<std::size_t>(ioLine.values[0])].push_back(iValue);
  ++ioLine.count;
}

void KelSmallListArray::Release(Line& ioLine)
{
  if (ioLine.count <= kInline) return;
  const int spill = ioLine.values[0];
  std::vector<int>().swap(_spilled[static_cast<std::size_t>(spill)]);
  _freeSpills.push_back(spill);
}

namespace {

// The position of the lowest set bit of a nonzero mask.
int LowestBit(const unsigned iMask)
{
#if defined(__GNUC__)
  return __builtin_ctz(iMask);
#else
  int bit = 0;
  while (!(iMask >> bit & 1u)) ++bit;
  return bit;
#endif
}

}  // namespace

unsigned KelSmallListArray::Matches(const Line& iLine, const int iValue)
{
  // Every slot of the line is compared and the unused ones masked off: a fixed number of
  // comparisons without a branch, where a search stopping at the value mispredicts its exit.
#if defined(__SSE2__)
  // The line is sixteen ints, the count first: four vector compares, one bit per int.
  const __m128i value = _mm_set1_epi32(iValue);
  const __m128i* quads = reinterpret_cast<const __m128i*>(&iLine);
  unsigned found = 0;
  for (int q = 0; q < 4; ++q)
    found |= static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_load_si128(quads + q), value))))
             << (4 * q);
  found >>= 1;  // drop the count
#else
  unsigned found = 0;
  for (int i = 0; i < kInline; ++i) found |= static_cast<unsigned>(iLine.values[i] == iValue) << i;
#endif
  return found & ((1u << iLine.count) - 1u);
}

bool KelSmallListArray::Contains(std::size_t iIndex, int iValue) const
{
  const Line& line = _lists[iIndex];
  if (line.count <= kInline) return Matches(line, iValue) != 0;
  const std::vector<int>& values = _spilled[static_cast<std::size_t>(line.values[0])];
  return std::find(values.begin(), values.end(), iValue) != values.end();
}

bool KelSmallListArray::Remove(std::size_t iIndex, int iValue)
{
  Line& line = _lists[iIndex];
  if (line.count <= kInline) {
    const unsigned found = Matches(line, iValue);
    if (!found) return false;
    line.values[LowestBit(found)] = line.values[line.count - 1];
    --line.count;
    return true;
  }
  const int spill = line.values[0];
  std::vector<int>& values = _spilled[static_cast<std::size_t>(spill)];
  const auto found = std::find(values.begin(), values.end(), iValue);
  if (found == values.end()) return false;
  *found = values.back();
  values.pop_back();
  if (--line.count == kInline) {  // back in the line
    std::copy(values.begin(), values.end(), line.values);
    std::vector<int>().swap(values);
    _freeSpills.push_back(spill);
  }
  return true;
}

void KelSmallListArray::Clear(std::size_t iIndex)
{
  Release(_lists[iIndex]);
  _lists[iIndex].count = 0;
}

void KelSmallListArray::Set(std::size_t iIndex, const int* iValues, int iCount)
{
  Clear(iIndex);
  for (int i = 0; i < iCount; ++i) Append(iIndex, iValues[i]);
}
