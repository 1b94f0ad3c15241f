#include "KelHashTable.h"

#include <algorithm>
#include <vector>

// Elements live in a dense vector in insertion order; a removed element leaves a null
// tombstone there so that iteration positions stay valid. An open-addressing index (linear
// probing, backward-shift deletion) maps hash values to dense positions.
struct KelHashTable::Impl {
  Impl(KelHashFunction iHash, KelCompareFunction iCompare, int iSizeHint)
      : hash(iHash), compare(iCompare), sizeHint(iSizeHint)
  {
  }

  KelHashFunction hash;
  KelCompareFunction compare;
  int sizeHint;
  int live = 0;
  std::vector<void*> elements;       // null = removed
  std::vector<unsigned int> hashes;  // hash of each dense entry
  std::vector<int> slots;            // dense position + 1, 0 = empty
  unsigned int mask = 0;

  static unsigned int Mix(unsigned int iKey)
  {
    // Spreads sequential keys (vertex sums, element numbers) across the slots.
    iKey ^= iKey >> 16;
    iKey *= 0x85ebca6bu;
    iKey ^= iKey >> 13;
    iKey *= 0xc2b2ae35u;
    iKey ^= iKey >> 16;
    return iKey;
  }

  // Slot holding the element equal to iElement (hash iKey), or -1.
  int FindSlot(void* iElement, unsigned int iKey) const
  {
    if (slots.empty()) return -1;
    for (unsigned int s = Mix(iKey) & mask;; s = (s + 1) & mask) {
      int entry = slots[s];
      if (!entry) return -1;
      size_t pos = static_cast<size_t>(entry - 1);
      if (hashes[pos] == iKey && compare(elements[pos], iElement) == 0) return static_cast<int>(s);
    }
  }

  void PlaceInIndex(int iPos)
  {
    unsigned int s = Mix(hashes[static_cast<size_t>(iPos)]) & mask;
    while (slots[s]) s = (s + 1) & mask;
    slots[s] = iPos + 1;
  }

  // Index large enough for iCount elements at a load of at most one half.
  void RebuildIndex(int iCount)
  {
    size_t capacity = 16;
    while (capacity < 2 * static_cast<size_t>(iCount)) capacity *= 2;
    slots.assign(capacity, 0);
    mask = static_cast<unsigned int>(capacity - 1);
    for (size_t i = 0; i < elements.size(); ++i)
      if (elements[i]) PlaceInIndex(static_cast<int>(i));
  }

  void EraseSlot(unsigned int iSlot)
  {
    // Backward shift keeps every probe chain unbroken without index tombstones.
    unsigned int hole = iSlot;
    for (unsigned int s = (iSlot + 1) & mask; slots[s]; s = (s + 1) & mask) {
      unsigned int home = Mix(hashes[static_cast<size_t>(slots[s] - 1)]) & mask;
      // Move the entry into the hole unless its home lies cyclically in (hole, s].
      bool homeBetween = hole <= s ? (home > hole && home <= s) : (home > hole || home <= s);
      if (!homeBetween) {
        slots[hole] = slots[s];
        hole = s;
      }
    }
    slots[hole] = 0;
  }

  void Compact()
  {
    size_t kept = 0;
    for (size_t i = 0; i < elements.size(); ++i)
      if (elements[i]) {
        elements[kept] = elements[i];
        hashes[kept] = hashes[i];
        ++kept;
      }
    elements.resize(kept);
    hashes.resize(kept);
    RebuildIndex(std::max(live, sizeHint));
  }
};

KelHashTable::KelHashTable(int iInitialSize, KelHashFunction iHash, KelCompareFunction iCompare)
    : _impl(new Impl(iHash, iCompare, std::clamp(iInitialSize, 0, 1 << 22)))
{
}

KelHashTable::~KelHashTable() { delete _impl; }

int KelHashTable::Insert(void* iElement)
{
  Impl& t = *_impl;
  if (!iElement || !t.hash || !t.compare) return 0;
  const unsigned int key = t.hash(iElement);
  if (t.FindSlot(iElement, key) >= 0) return 0;

  const int dead = static_cast<int>(t.elements.size()) - t.live;
  if (dead > 32 && dead > t.live) t.Compact();
  if (t.slots.empty()) {
    // The index is built on first use, so tables that stay empty cost nothing.
    t.elements.reserve(static_cast<size_t>(t.sizeHint));
    t.hashes.reserve(static_cast<size_t>(t.sizeHint));
    t.RebuildIndex(std::max(t.sizeHint, 1));
  } else if (2 * (static_cast<size_t>(t.live) + 1) > t.slots.size()) {
    t.RebuildIndex(2 * (t.live + 1));
  }

  t.elements.push_back(iElement);
  t.hashes.push_back(key);
  ++t.live;
  t.PlaceInIndex(static_cast<int>(t.elements.size()) - 1);
  return 1;
}

void* KelHashTable::Remove(void* iElement)
{
  Impl& t = *_impl;
  if (!iElement || !t.hash || !t.compare) return nullptr;
  const int slot = t.FindSlot(iElement, t.hash(iElement));
  if (slot < 0) return nullptr;
  const size_t pos = static_cast<size_t>(t.slots[static_cast<size_t>(slot)] - 1);
  void* stored = t.elements[pos];
  t.elements[pos] = nullptr;
  --t.live;
  t.EraseSlot(static_cast<unsigned int>(slot));
  return stored;
}

void* KelHashTable::Locate(void* iElement) const
{
  const Impl& t = *_impl;
  if (!iElement || !t.hash || !t.compare) return nullptr;
  const int slot = t.FindSlot(iElement, t.hash(iElement));
  return slot < 0 ? nullptr : t.elements[static_cast<size_t>(t.slots[static_cast<size_t>(slot)] - 1)];
}

void* KelHashTable::KeyLocate(unsigned int iKey) const
{
  const Impl& t = *_impl;
  if (t.slots.empty()) return nullptr;
  // Linear probing and backward shifts keep entries of one hash value in insertion order.
  for (unsigned int s = Impl::Mix(iKey) & t.mask; t.slots[s]; s = (s + 1) & t.mask) {
    const size_t pos = static_cast<size_t>(t.slots[s] - 1);
    if (t.hashes[pos] == iKey) return t.elements[pos];
  }
  return nullptr;
}

void* KelHashTable::Next(int& ioPosition) const
{
  const Impl& t = *_impl;
  if (ioPosition < 0) return nullptr;
  for (size_t i = static_cast<size_t>(ioPosition); i < t.elements.size(); ++i)
    if (t.elements[i]) {
      ioPosition = static_cast<int>(i) + 1;
      return t.elements[i];
    }
  ioPosition = static_cast<int>(t.elements.size());
  return nullptr;
}

int KelHashTable::Size() const { return _impl->live; }

void KelHashTable::RemoveAll()
{
  Impl& t = *_impl;
  t.elements.clear();
  t.hashes.clear();
  std::fill(t.slots.begin(), t.slots.end(), 0);
  t.live = 0;
}

KelHashCodeIter::KelHashCodeIter(const KelHashTable& iTable) : _table(&iTable), _position(0) {}

void* KelHashCodeIter::Next() { return _table->Next(_position); }

void KelHashCodeIter::Reset() { _position = 0; }
