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
    if (iInitialCapacity > 0) _storage.reserve(static_cast<size_t>(iInitialCapacity));
  }
  KelRawColl(const T* iValues, int iCount)
  {
    if (iValues && iCount > 0) {
      _storage.assign(iValues, iValues + iCount);
      _size = iCount;
    }
  }

  int Size() const { return _size; }
  // Resizes to iSize entries (negative counts as 0); new entries are zero.
  void Size(int iSize)
  {
    const int size = iSize > 0 ? iSize : 0;
    if (size > _size) {
      Ensure(size);
      std::fill(_storage.begin() + _size, _storage.begin() + size, T());
    }
    _size = size;
  }
  void Reserve(int iCapacity)
  {
    if (iCapacity > 0) _storage.reserve(static_cast<size_t>(iCapacity));
  }

  // Appends and returns the new size.
  int Append(T iValue)
  {
    if (static_cast<size_t>(_size) == _storage.size()) Ensure(_size + 1);
    _storage[static_cast<size_t>(_size)] = iValue;
    return ++_size;
  }
  int Append(const KelRawColl& iOther)
  {
    const int count = iOther._size;
    Ensure(_size + count);  // before reading: iOther may be this list
    std::copy(iOther._storage.begin(), iOther._storage.begin() + count, _storage.begin() + _size);
    _size += count;
    return _size;
  }
  // Inserts so that the value ends at position iPos (1..Size()+1).
  void InsertAt(int iPos, T iValue)
  {
    KelAssertText(iPos > 0 && iPos <= Size() + 1, "iPos > 0 && iPos <= _Size + 1");
    Ensure(_size + 1);
    std::copy_backward(_storage.begin() + (iPos - 1), _storage.begin() + _size, _storage.begin() + _size + 1);
    _storage[static_cast<size_t>(iPos - 1)] = iValue;
    ++_size;
  }

  T& operator[](int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _storage[static_cast<size_t>(iPos - 1)];
  }
  const T& operator[](int iPos) const
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return _storage[static_cast<size_t>(iPos - 1)];
  }

  // First position >= iFrom holding the value, 0 if none.
  int Locate(T iValue, int iFrom = 1) const
  {
    for (int i = std::max(iFrom, 1); i <= Size(); ++i)
      if (_storage[static_cast<size_t>(i - 1)] == iValue) return i;
    return 0;
  }
  // Removes the first occurrence; returns its former position, 0 when absent.
  int RemoveValue(T iValue)
  {
    const int pos = Locate(iValue);
    if (pos) RemovePosition(pos);
    return pos;
  }
  void RemovePosition(int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    std::copy(_storage.begin() + iPos, _storage.begin() + _size, _storage.begin() + (iPos - 1));
    --_size;
  }
  // Empties the list; with iReleaseMemory the storage is given back as well.
  void RemoveAll(int iReleaseMemory = 0)
  {
    _size = 0;
    if (iReleaseMemory) {
      _storage.clear();
      _storage.shrink_to_fit();
    }
  }
  void Swap(int iPos1, int iPos2)
  {
    KelAssertText(iPos1 > 0 && iPos1 <= Size() && iPos2 > 0 && iPos2 <= Size(),
                  "iPos > 0 && iPos <= _Size");
    std::swap(_storage[static_cast<size_t>(iPos1 - 1)], _storage[static_cast<size_t>(iPos2 - 1)]);
  }
  // Number of entries equal to the value.
  int NbOccur(T iValue) const
  {
    return static_cast<int>(std::count(_storage.begin(), _storage.begin() + _size, iValue));
  }

  bool operator==(const KelRawColl& iOther) const
  {
    return _size == iOther._size && std::equal(_storage.begin(), _storage.begin() + _size, iOther._storage.begin());
  }
  bool operator!=(const KelRawColl& iOther) const { return !(*this == iOther); }

  // Direct access to the contiguous storage (entry 1 first); null when empty.
  T* Data() { return _size == 0 ? nullptr : _storage.data(); }
  const T* Data() const { return _size == 0 ? nullptr : _storage.data(); }

private:
  // The storage only grows (until released): entries past the size are kept for reuse, so
  // that sizing a reused list again costs no reallocation and no library bookkeeping.
  void Ensure(int iCount)
  {
    const size_t needed = static_cast<size_t>(iCount);
    if (needed > _storage.size()) _storage.resize(std::max(needed, 2 * _storage.size()));
  }

  std::vector<T> _storage;
  int _size = 0;
};

typedef KelRawColl<int> KelRawCollint;
typedef KelRawColl<double> KelRawColldouble;
typedef KelRawColl<float> KelRawCollfloat;
typedef KelRawColl<void*> KelRawCollPV;

#endif
