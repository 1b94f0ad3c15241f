#ifndef KelListValCldBarRecord_h
#define KelListValCldBarRecord_h
// 1-based list of edge records held by value. Append stores a copy whose address stays fixed
// while the list grows, so a record may be pointed to while the list is being filled.
//
// - Positions outside 1..Size() are the fatal assertion "iPos > 0 && iPos <= _Size".
// - Copy and assignment copy every record; assigning a list to itself does nothing.
// - == compares sizes, then the records position by position.

#include <cstddef>
#include <deque>

#include "CldBarRecord.h"
#include "KelFatalError.h"

class KelListValCldBarRecord {
public:
  int Size() const { return static_cast<int>(_records.size()); }
  // Stores a copy of iRecord at the end; returns the new size.
  int Append(const CldBarRecord& iRecord);
  CldBarRecord& operator[](int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _records[static_cast<size_t>(iPos - 1)];
  }
  const CldBarRecord& operator[](int iPos) const
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _records[static_cast<size_t>(iPos - 1)];
  }
  void RemoveAll();

  bool operator==(const KelListValCldBarRecord& iOther) const;
  bool operator!=(const KelListValCldBarRecord& iOther) const { return !(*this == iOther); }

private:
  // A deque never moves its elements when it grows at the end, and holds them in blocks
  // rather than one allocation each.
  std::deque<CldBarRecord> _records;
};

#endif
