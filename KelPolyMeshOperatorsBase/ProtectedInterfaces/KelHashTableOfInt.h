#ifndef KelHashTableOfInt_h
#define KelHashTableOfInt_h
// A set of integers on the platform hash table. Every operation has a second name that does
// the same thing (AddAnInteger for Insert, and so on).
//
// - Each value is stored boxed: the set hands out pointers to its own boxes, valid until the
//   value is removed or the set cleared. They are const so that a caller cannot change a
//   stored value behind the table's back.
// - Duplicates are refused; iteration (Next, Get) follows insertion order.
// - Next(previous) remembers where the last answer stood, so a walk from Next(nullptr) to
//   the end is linear; the value just returned may be removed before asking for the next one.
//   Another previous element is looked for from the start, and one that is not (or no longer)
//   stored ends the walk.
// - The set is not copyable: it owns its boxes.

#include <memory>

#include "KelBaseUnknown.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"

class KelHashTable;

class KelHashTableOfInt : public KelBaseUnknown {
  KelDeclareClass

public:
  KelHashTableOfInt();
  ~KelHashTableOfInt() override;
  KelHashTableOfInt(const KelHashTableOfInt&) = delete;
  KelHashTableOfInt& operator=(const KelHashTableOfInt&) = delete;

  // TRUE when the value was not there yet.
  KelBoolean Insert(int iValue);
  KelBoolean AddAnInteger(int iValue) { return Insert(iValue); }
  // TRUE when the value was there.
  KelBoolean Remove(int iValue);
  KelBoolean GetRidOf(int iValue) { return Remove(iValue); }
  // The stored box holding the value, or null.
  const int* Locate(int iValue) const;
  const int* Dislocate(int iValue) const { return Locate(iValue); }
  // Appends every value, in iteration order; oValues is not cleared.
  void Get(KelRawCollint& oValues) const;
  void Fetch(KelRawCollint& oValues) const { Get(oValues); }
  // The box after iPrevious (null: the first), or null at the end.
  const int* Next(const int* iPrevious) const;
  const int* GetTheNext(const int* iPrevious) const { return Next(iPrevious); }
  int Size() const;
  int HowBig() const { return Size(); }
  void Clear();
  void GetRidOfEvidence() { Clear(); }

private:
  std::unique_ptr<KelHashTable> _hashTable;
  // Where the last answer of Next stood in the table's iteration.
  mutable const int* _cursorElement = nullptr;
  mutable int _cursorPosition = 0;
};

#endif
