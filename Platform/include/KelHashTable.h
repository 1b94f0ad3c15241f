#ifndef KelHashTable_h
#define KelHashTable_h
// Hash set of untyped pointers, built from a hash function, a compare function (0 for equal)
// and an initial size hint.
//
// - Insert refuses a null element and an element equal to one already stored.
// - Lookups compare full hash values first and call the compare function only on equal
//   hashes; neither function is ever called with null.
// - Iteration (Next, KelHashCodeIter) visits the stored elements in insertion order. Removing
//   the element just returned by an iteration is allowed and does not disturb it; an Insert
//   may compact the storage, so an iteration does not survive one.
// - The table does not own its elements.

typedef unsigned int (*KelHashFunction)(void* iElement);
typedef int (*KelCompareFunction)(void* iElement1, void* iElement2);

class KelHashTable {
public:
  KelHashTable(int iInitialSize, KelHashFunction iHash, KelCompareFunction iCompare);
  ~KelHashTable();
  KelHashTable(const KelHashTable&) = delete;
  KelHashTable& operator=(const KelHashTable&) = delete;

  // 1 when inserted, 0 when refused (null or equal element present).
  int Insert(void* iElement);
  // Removes the stored element equal to iElement; returns it, or null when absent.
  void* Remove(void* iElement);
  // The stored element equal to iElement, or null.
  void* Locate(void* iElement) const;
  // The first stored element (in insertion order) whose hash value is iKey, or null.
  void* KeyLocate(unsigned int iKey) const;
  // Iteration in insertion order: start with ioPosition = 0; returns null at the end.
  void* Next(int& ioPosition) const;
  int Size() const;
  void RemoveAll();

private:
  struct Impl;
  Impl* _impl;
};

// Walks a hash table in insertion order.
class KelHashCodeIter {
public:
  explicit KelHashCodeIter(const KelHashTable& iTable);
  // The next element, or null at the end.
  void* Next();
  void Reset();

private:
  const KelHashTable* _table;
  int _position;
};

#endif
