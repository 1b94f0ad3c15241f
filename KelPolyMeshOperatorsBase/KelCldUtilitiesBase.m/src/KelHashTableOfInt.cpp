#include "KelHashTableOfInt.h"

#include "KelFatalError.h"
#include "KelHashTable.h"

KelImplementClass(KelHashTableOfInt, KelBaseUnknown, KelMetaImplementation)

namespace {

// Sized for the edge and vertex sets of a region optimisation.
constexpr int kInitialSize = 50000;

unsigned int HashInt(void* iElement)
{
  return iElement ? static_cast<unsigned int>(*static_cast<const int*>(iElement)) : 0u;
}

int CompareInts(void* iElement1, void* iElement2)
{
  if (!iElement1 || !iElement2) return 0;
  return *static_cast<const int*>(iElement1) == *static_cast<const int*>(iElement2) ? 0 : 1;
}

}  // namespace

KelHashTableOfInt::KelHashTableOfInt() : _hashTable(new KelHashTable(kInitialSize, HashInt, CompareInts)) {}

KelHashTableOfInt::~KelHashTableOfInt()
{
  Clear();
  _hashTable.reset();
}

KelBoolean KelHashTableOfInt::Insert(int iValue)
{
  KelAssert(_hashTable);
  // An insertion may compact the table, which moves iteration positions.
  _cursorElement = nullptr;
  int* box = new int(iValue);
  if (_hashTable->Insert(box)) return TRUE;
  delete box;
  return FALSE;
}

KelBoolean KelHashTableOfInt::Remove(int iValue)
{
  KelAssert(_hashTable);
  int* box = static_cast<int*>(_hashTable->Remove(&iValue));
  if (!box) return FALSE;
  // The cursor may still name this box: its position stays valid for the next step, and
  // the address cannot be handed out again before an Insert resets the cursor.
  delete box;
  return TRUE;
}

const int* KelHashTableOfInt::Locate(int iValue) const
{
  KelAssert(_hashTable);
  return static_cast<const int*>(_hashTable->Locate(&iValue));
}

void KelHashTableOfInt::Get(KelRawCollint& oValues) const
{
  KelAssert(_hashTable);
  oValues.Reserve(oValues.Size() + _hashTable->Size());
  int position = 0;
  while (const void* element = _hashTable->Next(position)) oValues.Append(*static_cast<const int*>(element));
}

const int* KelHashTableOfInt::Next(const int* iPrevious) const
{
  KelAssert(_hashTable);
  int position = 0;
  if (iPrevious && iPrevious == _cursorElement) {
    position = _cursorPosition;
  } else if (iPrevious) {
    const void* element = nullptr;
    while ((element = _hashTable->Next(position)) && element != iPrevious) {
    }
    if (!element) return nullptr;
  }
  const int* next = static_cast<const int*>(_hashTable->Next(position));
  _cursorElement = next;
  _cursorPosition = position;
  return next;
}

int KelHashTableOfInt::Size() const
{
  KelAssert(_hashTable);
  return _hashTable->Size();
}

void KelHashTableOfInt::Clear()
{
  KelAssert(_hashTable);
  KelHashCodeIter iter(*_hashTable);
  while (void* element = iter.Next()) delete static_cast<int*>(element);
  _hashTable->RemoveAll();
  _cursorElement = nullptr;
}
