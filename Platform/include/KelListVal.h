#ifndef KelListVal_h
#define KelListVal_h
// List of values of T, indexed from 1 to Size(). Each value is held as its own heap copy, so
// the address of an element stays fixed while the list grows or loses other elements.
//
// - Positions outside 1..Size() are the fatal assertion "iPos > 0 && iPos <= _Size".
// - Copy and assignment copy every value; assigning a list to itself does nothing.
// - == compares sizes, then the values position by position with T's operator==; Locate
//   uses the same equality.

#include <algorithm>
#include <memory>
#include <vector>

#include "KelFatalError.h"

template <class T>
class KelListVal {
public:
  explicit KelListVal(int iInitialCapacity = 0)
  {
    if (iInitialCapacity > 0) _values.reserve(static_cast<size_t>(iInitialCapacity));
  }
  KelListVal(const KelListVal& iOther) { CopyFrom(iOther); }
  KelListVal& operator=(const KelListVal& iOther)
  {
    if (&iOther != this) {
      _values.clear();
      CopyFrom(iOther);
    }
    return *this;
  }
  KelListVal(KelListVal&&) noexcept = default;
  KelListVal& operator=(KelListVal&&) noexcept = default;

  int Size() const { return static_cast<int>(_values.size()); }

  // Stores a copy of iValue at the end; returns the new size.
  int Append(const T& iValue)
  {
    _values.push_back(std::make_unique<T>(iValue));
    return Size();
  }

  T& operator[](int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return *_values[static_cast<size_t>(iPos - 1)];
  }
  const T& operator[](int iPos) const
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return *_values[static_cast<size_t>(iPos - 1)];
  }

  // First position >= iFrom whose value equals iValue, 0 if none.
  int Locate(const T& iValue, int iFrom = 1) const
  {
    for (int i = std::max(iFrom, 1); i <= Size(); ++i)
      if (*_values[static_cast<size_t>(i - 1)] == iValue) return i;
    return 0;
  }

  // Deletes the value at iPos; later values move down one position (their addresses stay).
  void RemovePosition(int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    _values.erase(_values.begin() + (iPos - 1));
  }
  // Deletes every value.
  void RemoveAll() { _values.clear(); }

  bool operator==(const KelListVal& iOther) const
  {
    if (Size() != iOther.Size()) return false;
    for (size_t i = 0; i < _values.size(); ++i)
      if (!(*_values[i] == *iOther._values[i])) return false;
    return true;
  }
  bool operator!=(const KelListVal& iOther) const { return !(*this == iOther); }

private:
  void CopyFrom(const KelListVal& iOther)
  {
    _values.reserve(iOther._values.size());
    for (const std::unique_ptr<T>& value : iOther._values) _values.push_back(std::make_unique<T>(*value));
  }

  std::vector<std::unique_ptr<T>> _values;
};

#endif
