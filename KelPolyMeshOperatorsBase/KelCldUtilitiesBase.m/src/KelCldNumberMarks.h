#ifndef KelCldNumberMarks_h
#define KelCldNumberMarks_h
// Byte marks over the numbers 0..n and the window of marked numbers: set queries collect each
// number once, in increasing order, in time linear in the input plus the window, without
// sorting. Private to the library.

#include <algorithm>
#include <new>
#include <vector>

#include "KelRawColl.h"

class KelCldNumberMarks {
public:
  // Marks for 0..iCount, all clear; false when they cannot be allocated.
  bool Allocate(int iCount)
  {
    try {
      _marks.assign(static_cast<size_t>(std::max(iCount, 0)) + 1, 0);
    } catch (const std::bad_alloc&) {
      return false;
    }
    _low = static_cast<int>(_marks.size());
    _high = -1;
    return true;
  }
  // Numbers outside 0..iCount are ignored.
  void Mark(int iNumber)
  {
    if (iNumber < 0 || iNumber >= static_cast<int>(_marks.size()) || _marks[static_cast<size_t>(iNumber)]) return;
    _marks[static_cast<size_t>(iNumber)] = 1;
    _low = std::min(_low, iNumber);
    _high = std::max(_high, iNumber);
  }
  bool IsMarked(int iNumber) const
  {
    return iNumber >= 0 && iNumber < static_cast<int>(_marks.size()) && _marks[static_cast<size_t>(iNumber)];
  }
  // Appends the marked numbers in increasing order.
  void AppendTo(KelRawCollint& ioList) const
  {
    for (int number = _low; number <= _high; ++number)
      if (_marks[static_cast<size_t>(number)]) ioList.Append(number);
  }
  // Empties the list, then appends the marked numbers in increasing order.
  void Collect(KelRawCollint& oList) const
  {
    oList.RemoveAll();
    AppendTo(oList);
  }

private:
  std::vector<unsigned char> _marks;
  int _low = 0;
  int _high = -1;
};

#endif
