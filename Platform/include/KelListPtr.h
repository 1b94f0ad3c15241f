#ifndef KelListPtr_h
#define KelListPtr_h
// List of pointers to T, indexed from 1 to Size(). The list does not own what it points to.
//
// - Positions outside 1..Size() are the fatal assertion "iPos > 0 && iPos <= _Size";
//   InsertAt accepts 1..Size()+1 and Swap checks both positions.
// - Null entries are allowed (Size(n) creates them); RemoveNulls drops them.
// - Operations taking another list accept this list itself.
// - RemoveAll keeps the storage unless asked to release it, so a reused output list does not
//   allocate again.
// - Comparators return <0, 0 or >0 like strcmp; QuickSort is stable so that equal entries
//   keep their order and an inconsistent comparator cannot corrupt memory.

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "KelFatalError.h"

template <class T>
class KelListPtr {
public:
  typedef int (*Comparator)(T* iEntry1, T* iEntry2);

  explicit KelListPtr(int iInitialCapacity = 0)
  {
    if (iInitialCapacity > 0) _entries.reserve(static_cast<size_t>(iInitialCapacity));
  }
  // The first iCount pointers of iArray (none when iArray is null).
  KelListPtr(T* const* iArray, int iCount)
  {
    if (iArray && iCount > 0) _entries.assign(iArray, iArray + iCount);
  }

  int Size() const { return static_cast<int>(_entries.size()); }
  // Resizes to iSize entries (negative counts as 0); new entries are null.
  void Size(int iSize) { _entries.resize(iSize > 0 ? static_cast<size_t>(iSize) : 0, nullptr); }

  // Appends and returns the new size.
  int Append(T* iEntry)
  {
    _entries.push_back(iEntry);
    return Size();
  }
  int Append(const KelListPtr& iOther)
  {
    const size_t count = iOther._entries.size();
    _entries.reserve(_entries.size() + count);
    // Index loop: iOther may be this list, whose storage was reserved above.
    for (size_t i = 0; i < count; ++i) _entries.push_back(iOther._entries[i]);
    return Size();
  }
  // Inserts so that the entry ends at position iPos (1..Size()+1).
  void InsertAt(int iPos, T* iEntry)
  {
    KelAssertText(iPos >= 1 && iPos <= Size() + 1, "iPos >= 1 && iPos <= _Size+1");
    _entries.insert(_entries.begin() + (iPos - 1), iEntry);
  }

  T*& operator[](int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _entries[static_cast<size_t>(iPos - 1)];
  }
  T* operator[](int iPos) const
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _entries[static_cast<size_t>(iPos - 1)];
  }

  // First position >= iFrom holding iEntry, 0 if none.
  int Locate(T* iEntry, int iFrom = 1) const
  {
    for (int i = std::max(iFrom, 1); i <= Size(); ++i)
      if (_entries[static_cast<size_t>(i - 1)] == iEntry) return i;
    return 0;
  }
  int NbOccur(T* iEntry) const { return static_cast<int>(std::count(_entries.begin(), _entries.end(), iEntry)); }

  // Removes the first occurrence; returns its former position, 0 when absent.
  int RemoveValue(T* iEntry)
  {
    const int pos = Locate(iEntry);
    if (pos) _entries.erase(_entries.begin() + (pos - 1));
    return pos;
  }
  // For each entry of iOther, removes its first occurrence here; returns how many went.
  int Remove(const KelListPtr& iOther)
  {
    if (&iOther == this) {
      const int former = Size();
      _entries.clear();
      return former;
    }
    // One pass instead of a RemoveValue per entry: the first k occurrences of a pointer
    // named k times in iOther are the ones removed one by one.
    std::unordered_map<T*, int> pending;
    for (T* entry : iOther._entries) ++pending[entry];
    int removed = 0;
    auto last = std::remove_if(_entries.begin(), _entries.end(), [&](T* iEntry) {
      auto found = pending.find(iEntry);
      if (found == pending.end() || found->second == 0) return false;
      --found->second;
      ++removed;
      return true;
    });
    _entries.erase(last, _entries.end());
    return removed;
  }
  void RemovePosition(int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    _entries.erase(_entries.begin() + (iPos - 1));
  }
  // Empties the list; with iReleaseMemory the storage is given back as well.
  void RemoveAll(int iReleaseMemory = 0)
  {
    _entries.clear();
    if (iReleaseMemory) _entries.shrink_to_fit();
  }
  // Removes every null entry; returns their number.
  int RemoveNulls()
  {
    const size_t former = _entries.size();
    _entries.erase(std::remove(_entries.begin(), _entries.end(), nullptr), _entries.end());
    return static_cast<int>(former - _entries.size());
  }
  // Keeps the first occurrence of each pointer; later ones are appended to oRemoved when
  // given. Returns the number removed.
  int RemoveDuplicates(KelListPtr* oRemoved = nullptr)
  {
    std::unordered_set<T*> seen;
    std::vector<T*> removed;
    auto last = std::remove_if(_entries.begin(), _entries.end(), [&](T* iEntry) {
      if (seen.insert(iEntry).second) return false;
      removed.push_back(iEntry);
      return true;
    });
    _entries.erase(last, _entries.end());
    if (oRemoved) oRemoved->_entries.insert(oRemoved->_entries.end(), removed.begin(), removed.end());
    return static_cast<int>(removed.size());
  }

  bool operator==(const KelListPtr& iOther) const { return _entries == iOther._entries; }
  bool operator!=(const KelListPtr& iOther) const { return _entries != iOther._entries; }

  // 0 for the same list; -1 / 1 when iList1 is shorter / longer; else the first non-zero
  // comparator result over the entries in order (addresses are compared without one).
  static int Compare(const KelListPtr& iList1, const KelListPtr& iList2, Comparator iCompare)
  {
    if (&iList1 == &iList2) return 0;
    if (iList1.Size() != iList2.Size()) return iList1.Size() < iList2.Size() ? -1 : 1;
    for (size_t i = 0; i < iList1._entries.size(); ++i) {
      T* a = iList1._entries[i];
      T* b = iList2._entries[i];
      const int result = iCompare ? iCompare(a, b) : (std::less<T*>()(a, b) ? -1 : (a == b ? 0 : 1));
      if (result) return result;
    }
    return 0;
  }

  void Swap(int iPos1, int iPos2)
  {
    KelAssertText(iPos1 > 0 && iPos1 <= Size() && iPos2 > 0 && iPos2 <= Size(),
                  "iPos1 > 0 && iPos1 <= _Size && iPos2 > 0 && iPos2 <= _Size");
    std::swap(_entries[static_cast<size_t>(iPos1 - 1)], _entries[static_cast<size_t>(iPos2 - 1)]);
  }
  // Sorts in increasing comparator order; does nothing without a comparator.
  void QuickSort(Comparator iCompare)
  {
    if (!iCompare) return;
    std::stable_sort(_entries.begin(), _entries.end(),
                     [iCompare](T* iA, T* iB) { return iCompare(iA, iB) < 0; });
  }
  // Copies the first min(iCount, Size()) entries into oArray.
  void FillArray(T** oArray, int iCount) const
  {
    if (!oArray) return;
    const int count = std::min(iCount, Size());
    for (int i = 0; i < count; ++i) oArray[i] = _entries[static_cast<size_t>(i)];
  }

  // Appends to oResult, in iList1's order, every entry of iList1 also found in iList2.
  static void Intersection(const KelListPtr& iList1, const KelListPtr& iList2, KelListPtr& oResult)
  {
    std::vector<T*> common;
    if (&iList1 == &iList2) {
      common = iList1._entries;
    } else {
      const std::unordered_set<T*> other(iList2._entries.begin(), iList2._entries.end());
      for (T* entry : iList1._entries)
        if (other.count(entry)) common.push_back(entry);
    }
    oResult._entries.insert(oResult._entries.end(), common.begin(), common.end());
  }

private:
  std::vector<T*> _entries;
};

#endif
