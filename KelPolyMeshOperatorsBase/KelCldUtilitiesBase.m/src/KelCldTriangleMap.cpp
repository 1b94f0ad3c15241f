#include "KelCldTriangleMap.h"

#include <iostream>
#include <new>

#include "KelFatalError.h"
#include "KelHashTable.h"

KelImplementClass(KelCldTriangleMap, KelBaseUnknown, KelMetaImplementation)

namespace {

constexpr int kInitialSize = 1000;

// Both record kinds are keyed by their triangle number.
template <class Record>
unsigned int HashRecord(void* iRecord)
{
  const Record* map = static_cast<const Record*>(iRecord);
  KelAssert(map);
  return static_cast<unsigned int>(map->_triangle);
}

template <class Record>
int CompareRecords(void* iRecord0, void* iRecord1)
{
  const Record* map0 = static_cast<const Record*>(iRecord0);
  const Record* map1 = static_cast<const Record*>(iRecord1);
  KelAssert(map0);
  KelAssert(map1);
  return map0->_triangle == map1->_triangle ? 0 : 1;
}

std::unique_ptr<KelHashTable> MakeTable(KelHashFunction iHash, KelCompareFunction iCompare)
{
  return std::unique_ptr<KelHashTable>(new KelHashTable(kInitialSize, iHash, iCompare));
}

}  // namespace

KelCldTriangleMap::KelCldTriangleMap()
    : _hashTable(MakeTable(HashRecord<TriangleMap>, CompareRecords<TriangleMap>)),
      _parentHashTable(MakeTable(HashRecord<TriangleParent>, CompareRecords<TriangleParent>))
{
}

KelCldTriangleMap::KelCldTriangleMap(const KelCldTriangleMap& iOther) : KelCldTriangleMap()
{
  Update(iOther);
}

KelCldTriangleMap& KelCldTriangleMap::operator=(const KelCldTriangleMap& iOther)
{
  if (&iOther == this) return *this;
  Clear();
  Update(iOther);
  return *this;
}

KelCldTriangleMap::~KelCldTriangleMap() { Clear(); }

KelCldTriangleMap::TriangleMap* KelCldTriangleMap::FindRoot(const int iTriangle) const
{
  // The hash is the triangle number itself, so the first record with that key is the one.
  return static_cast<TriangleMap*>(_hashTable->KeyLocate(static_cast<unsigned int>(iTriangle)));
}

void KelCldTriangleMap::UpdateTriangle(const int iTriangle, const KelRawCollint& iChildren)
{
  KelAssert(_hashTable);
  KelAssert(_parentHashTable);
  if (const TriangleParent* parent = FindParent(iTriangle)) {
    const int root = parent->_parent;
    TriangleMap* map = FindRoot(root);
    KelAssert(map);
    const int pos = map->_children.Locate(iTriangle);
    KelAssert(pos > 0);
    const KelRawCollint& old = map->_children;
    const int nbNew = iChildren.Size();
    KelRawCollint children(old.Size() - 1 + nbNew);
    for (int i = 1; i < pos; ++i) children.Append(old[i]);
    children.Append(iChildren);
    for (int i = pos + 1; i <= old.Size(); ++i) children.Append(old[i]);
    map->_children = children;

    // Removed first so that a child list containing iTriangle again keeps it current. The
    // new children are read back from the root's list: iChildren may have been that list.
    const KelBoolean removeOk = RemoveParent(iTriangle);
    KelAssert(removeOk);
    for (int i = pos; i < pos + nbNew; ++i) AddParent(map->_children[i], root);
    return;
  }

  TriangleMap* newMap = new (std::nothrow) TriangleMap;
  KelAssert(newMap);
  newMap->_triangle = iTriangle;
  newMap->_children = iChildren;
  if (!_hashTable->Insert(newMap)) {
    delete newMap;
    return;
  }
  for (int i = 1; i <= iChildren.Size(); ++i) AddParent(iChildren[i], iTriangle);
}

void KelCldTriangleMap::UpdateTriangle(const int iTriangle, const int iChild)
{
  KelRawCollint children;
  if (iChild != 0) children.Append(iChild);
  UpdateTriangle(iTriangle, children);
}

const KelCldTriangleMap::TriangleMap* KelCldTriangleMap::FindTriangle(const int iTriangle) const
{
  KelAssert(_hashTable);
  return FindRoot(iTriangle);
}

const KelCldTriangleMap::TriangleParent* KelCldTriangleMap::FindParent(const int iTriangle) const
{
  KelAssert(_parentHashTable);
  return static_cast<const TriangleParent*>(_parentHashTable->KeyLocate(static_cast<unsigned int>(iTriangle)));
}

KelBoolean KelCldTriangleMap::AddParent(const int iTriangle, const int iParent)
{
  KelAssert(_parentHashTable);
  TriangleParent* newParent = new (std::nothrow) TriangleParent;
  KelAssert(newParent);
  newParent->_triangle = iTriangle;
  newParent->_parent = iParent;
  if (_parentHashTable->Insert(newParent)) return TRUE;
  delete newParent;
  return FALSE;
}

KelBoolean KelCldTriangleMap::RemoveParent(const int iTriangle)
{
  KelAssert(_parentHashTable);
  TriangleParent probe;
  probe._triangle = iTriangle;
  TriangleParent* removed = static_cast<TriangleParent*>(_parentHashTable->Remove(&probe));
  if (!removed) return FALSE;
  delete removed;
  return TRUE;
}

KelBoolean KelCldTriangleMap::GetChildren(const int iTriangle, KelRawCollint& oChildren) const
{
  const TriangleMap* map = FindTriangle(iTriangle);
  if (!map) return FALSE;
  oChildren = map->_children;
  return TRUE;
}

void KelCldTriangleMap::GetRefinedTriangles(KelRawCollint& oRoots) const
{
  KelAssert(_hashTable);
  oRoots.RemoveAll();
  oRoots.Reserve(_hashTable->Size());
  KelHashCodeIter iter(*_hashTable);
  while (const void* map = iter.Next()) oRoots.Append(static_cast<const TriangleMap*>(map)->_triangle);
}

void KelCldTriangleMap::GetNewTriangles(KelRawCollint& oTriangles) const
{
  KelAssert(_hashTable);
  oTriangles.RemoveAll();
  KelHashCodeIter iter(*_hashTable);
  while (const void* map = iter.Next()) oTriangles.Append(static_cast<const TriangleMap*>(map)->_children);
}

void KelCldTriangleMap::GetTriangles(KelRawCollint& oRoots, KelRawCollint*& oChildren) const
{
  GetRefinedTriangles(oRoots);
  oChildren = nullptr;
  if (oRoots.Size() == 0) return;
  KelRawCollint* trianglesMap = new (std::nothrow) KelRawCollint[static_cast<size_t>(oRoots.Size())];
  KelAssert(trianglesMap);
  for (int i = 1; i <= oRoots.Size(); ++i) trianglesMap[i - 1] = FindRoot(oRoots[i])->_children;
  oChildren = trianglesMap;
}

void KelCldTriangleMap::Update(const KelCldTriangleMap& iOther)
{
  if (&iOther == this) {
    // Updating walks the other map while this one changes: work from a copy.
    const KelCldTriangleMap copy(iOther);
    Update(copy);
    return;
  }
  KelAssert(iOther._hashTable);
  KelHashCodeIter iter(*iOther._hashTable);
  while (const void* element = iter.Next()) {
    const TriangleMap* map = static_cast<const TriangleMap*>(element);
    UpdateTriangle(map->_triangle, map->_children);
  }
}

void KelCldTriangleMap::Clear()
{
  if (_hashTable) {
    KelHashCodeIter iter(*_hashTable);
    while (void* map = iter.Next()) delete static_cast<TriangleMap*>(map);
    _hashTable->RemoveAll();
  }
  if (_parentHashTable) {
    KelHashCodeIter iter(*_parentHashTable);
    while (void* parent = iter.Next()) delete static_cast<TriangleParent*>(parent);
    _parentHashTable->RemoveAll();
  }
}

void KelCldTriangleMap::Print(std::ostream& oStream) const
{
  KelAssert(_hashTable);
  KelAssert(_parentHashTable);
  oStream << "***** maps *****\n";
  KelHashCodeIter maps(*_hashTable);
  while (const void* element = maps.Next()) {
    const TriangleMap* map = static_cast<const TriangleMap*>(element);
    oStream << map->_triangle << "\t";
    for (int i = 1; i <= map->_children.Size(); ++i) oStream << map->_children[i] << " ";
    oStream << "\n";
  }
  oStream << "***** parents *****\n";
  KelHashCodeIter parents(*_parentHashTable);
  while (const void* element = parents.Next()) {
    const TriangleParent* parent = static_cast<const TriangleParent*>(element);
    oStream << parent->_triangle << "\t" << parent->_parent << "\n";
  }
}

void KelCldTriangleMap::Print() const { Print(std::cout); }
