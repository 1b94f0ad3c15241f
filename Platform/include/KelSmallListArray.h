#ifndef KelSmallListArray_h
#define KelSmallListArray_h
// An array of short unordered lists of ints, one per index (the corners of a point, the
// edges of a vertex). Up to kInline values live in the list's own cache line, so reading a
// short list costs one memory access; a longer list moves whole to a spilled vector.
// Removal swaps the last value into the hole: lists keep no order.

#include <cstddef>
#include <vector>

#include "KelLargeArrayAllocator.h"

class KelSmallListArray {
public:
  enum : int { kInline = 15 };

  struct Range {
    const int* first;
    const int* last;
    const int* begin() const { return first; }
    const int* end() const { return last; }
    int size() const { return static_cast<int>(last - first); }
  };

  // iCount empty lists (the spilled storage is released).
  void Assign(std::size_t iCount);
  // Grows to iCount lists, the new ones empty; false when memory runs out.
  bool Grow(std::size_t iCount);
  std::size_t Size() const { return _lists.size(); }
  std::size_t CapacityBytes() const;

  int Count(std::size_t iIndex) const { return _lists[iIndex].count; }
  // Valid until its own list changes: edits of other lists leave it in place.
  Range Get(std::size_t iIndex) const
  {
    const Line& line = _lists[iIndex];
    const int* first = line.count <= kInline ? line.values : _spilled[static_cast<std::size_t>(line.values[0])].data();
    return {first, first + line.count};
  }
  // The list's line, for a prefetch ahead of its use.
  const void* Address(std::size_t iIndex) const { return &_lists[iIndex]; }

  void Append(std::size_t iIndex, int iValue)
  {
    Line& line = _lists[iIndex];
    if (line.count < kInline) {
      line.values[line.count++] = iValue;
      return;
    }
    AppendSpilled(line, iValue);
  }
  // Removes one occurrence of the value; false when the list does not have it.
  bool Remove(std::size_t iIndex, int iValue);
  bool Contains(std::size_t iIndex, int iValue) const;
  void Clear(std::size_t iIndex);
  // Replaces the list by the values.
  void Set(std::size_t iIndex, const int* iValues, int iCount);

private:
  struct alignas(64) Line {  // sixteen ints, compared four at a time by Matches
    int count = 0;
    int values[kInline] = {};  // values[0] indexes _spilled once the list has spilled
  };
  void AppendSpilled(Line& ioLine, int iValue);
  // The slots of an inline list holding the value, as bits.
  static unsigned Matches(const Line& iLine, int iValue);
  void Release(Line& ioLine);

  std::vector<Line, KelLargeArrayAllocator<Line>> _lists;
  std::vector<std::vector<int>> _spilled;
  std::vector<int> _freeSpills;  // released entries of _spilled
};

#endif
