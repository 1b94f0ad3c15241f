#ifndef KelRawColl_h
#define KelRawColl_h
// Growable arrays of plain values, indexed from 1 to Size().
//
// KelRawCollint, KelRawColldouble, KelRawCollfloat and KelRawCollPV (untyped pointers) are
// the instances the library uses. Positions outside 1..Size() are the fatal assertion
// "iPos > 0 && iPos <= _Size". Size(n) resizes, filling new entries with zeros. RemoveAll
// keeps the allocated memory unless asked to release it, so a list reused as an output
// does not allocate again.

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "KelFatalError.h"

template <class T>
class KelRawColl {
  static_assert(std::is_trivially_copyable<T>::value, "KelRawColl holds plain values");

public:
  explicit KelRawColl(int iInitialCapacity = 0)
  {
    if (iInitialCapacity > 0) _values.reserve(static_cast<size_t>(iInitialCapacity));
  }
  KelRawColl(const T* iValues, int iCount)
  {
    if (iValues && iCount > 0) _values.assign(iValues, iValues + iCount);
  }

  int Size() const { return static_cast<int>(_values.size()); }
  // Resizes to iSize entries (negative counts as 0); new entries are zero.
  void Size(int iSize) { _values.resize(iSize > 0 ? static_cast<size_t>(iSize) : 0, T()); }
  void Reserve(int iCapacity)
  {
    if (iCapacity > 0) _values.reserve(static_cast<size_t>(iCapacity));
  }

  // Appends and returns the new size.
  int Append(T iValue)
  {
    _values.push_back(iValue);
    return Size();
  }
  int Append(const KelRawColl& iOther)
  {
    if (&iOther == this) {
      size_t n = _values.size();
      _values.reserve(2 * n);
      for (size_t i = 0; i < n; ++i) _values.push_back(_values[i]);
    } else {
      _values.insert(_values.end(), iOther._values.begin(), iOther._values.end());
    }
    return Size();
  }
  // Inserts so that the value ends at position iPos (1..Size()+1).
  void InsertAt(int iPos, T iValue)
  {
    KelAssertText(iPos > 0 && iPos <= Size() + 1, "iPos > 0 && iPos <= _Size + 1");
    _values.insert(_values.begin() + (iPos - 1), iValue);
  }

  T& operator[](int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _values[static_cast<size_t>(iPos - 1)];
  }
  const T& operator[](int iPos) const
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _values[static_cast<size_t>(iPos - 1)];
  }

  // First position >= iFrom holding the value, 0 if none.
  int Locate(T iValue, int iFrom = 1) const
  {
    for (int i = std::max(iFrom, 1); i <= Size(); ++i)
      if (_values[static_cast<size_t>(i - 1)] == iValue) return i;
    return 0;
  }
  // Removes the first occurrence; returns its former position, 0 when absent.
  int RemoveValue(T iValue)
  {
    int pos = Locate(iValue);
    if (pos) _values.erase(_values.begin() + (pos - 1));
    return pos;
  }
  void RemovePosition(int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    _values.erase(_values.begin() + (iPos - 1));
  }
  // Empties the list; with iReleaseMemory the storage is given back as well.
  void RemoveAll(int iReleaseMemory = 0)
  {
    _values.clear();
    if (iReleaseMemory) _values.shrink_to_fit();
  }
  void Swap(int iPos1, int iPos2)
  {
    KelAssertText(iPos1 > 0 && iPos1 <= Size() && iPos2 > 0 && iPos2 <= Size(),
                  "iPos > 0 && iPos <= _Size");
    std::swap(_values[static_cast<size_t>(iPos1 - 1)], _values[static_cast<size_t>(iPos2 - 1)]);
  }
  // Number of entries equal to the value.
  int NbOccur(T iValue) const
  {
    return static_cast<int>(std::count(_values.begin(), _values.end(), iValue));
  }

  bool operator==(const KelRawColl& iOther) const { return _values == iOther._values; }
  bool operator!=(const KelRawColl& iOther) const { return _values != iOther._values; }

  // Direct access to the contiguous storage (entry 1 first); null when empty.
  T* Data() { return _values.empty() ? nullptr : _values.data(); }
  const T* Data() const { return _values.empty() ? nullptr : _values.data(); }

private:
  std::vector<T> _values;
};

typedef KelRawColl<int> KelRawCollint;
typedef KelRawColl<double> KelRawColldouble;
typedef KelRawColl<float> KelRawCollfloat;
typedef KelRawColl<void*> KelRawCollPV;

#endif
