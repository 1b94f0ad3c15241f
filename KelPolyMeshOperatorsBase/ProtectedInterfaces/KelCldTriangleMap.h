#ifndef KelCldTriangleMap_h
#define KelCldTriangleMap_h
// History of triangle replacements: each root triangle (as it was before its first recorded
// replacement) maps to the triangles that now stand in its place, and each of those back to
// its root.
//
// - Replacements compose: replacing a current triangle edits its root's children in place,
//   so T -> (a, b) then a -> (c, d) leaves root T with children (c, d, b).
// - Recording T -> (T) makes T its own root and current triangle; T -> () keeps T as a root
//   with no children. Replacing a current triangle by a list that contains it again keeps it
//   a current triangle of the same root (its old parent record goes before the new ones
//   are added).
// - Replacing a triangle that is already a root but no longer current is ignored, as is a
//   child that already belongs to another root (it keeps its first root).
// - Orders (roots, new triangles, Print) follow the order in which roots were first recorded.
// - The map owns its records; pointers from FindTriangle / FindParent stay valid until the
//   record is replaced or removed. Copies are independent maps with the same history.
// - Print writes to the given stream (standard output by default).

#include <iosfwd>
#include <memory>

#include "KelBaseUnknown.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"

class KelHashTable;

class KelCldTriangleMap : public KelBaseUnknown {
  KelDeclareClass

public:
  struct TriangleMap {
    int _triangle = 0;       // the root
    KelRawCollint _children;  // what replaces it now, in order
  };
  struct TriangleParent {
    int _triangle = 0;  // a current replacement
    int _parent = 0;    // its root
  };

  KelCldTriangleMap();
  KelCldTriangleMap(const KelCldTriangleMap& iOther);
  KelCldTriangleMap& operator=(const KelCldTriangleMap& iOther);
  ~KelCldTriangleMap() override;

  // Records that iTriangle has been replaced by iChildren.
  void UpdateTriangle(const int iTriangle, const KelRawCollint& iChildren);
  // One replacement; iChild 0 means that the triangle is gone.
  void UpdateTriangle(const int iTriangle, const int iChild);

  const TriangleMap* FindTriangle(const int iTriangle) const;
  const TriangleParent* FindParent(const int iTriangle) const;
  // FALSE when iTriangle already has a parent.
  KelBoolean AddParent(const int iTriangle, const int iParent);
  // TRUE when there was a parent record to remove.
  KelBoolean RemoveParent(const int iTriangle);

  // The children of a root; FALSE, oChildren untouched, for any other triangle.
  KelBoolean GetChildren(const int iTriangle, KelRawCollint& oChildren) const;
  // Every root.
  void GetRefinedTriangles(KelRawCollint& oRoots) const;
  // The children of every root, root after root.
  void GetNewTriangles(KelRawCollint& oTriangles) const;
  // The roots and, when there is one, a new[] array of their children lists (the caller
  // delete[]s it); oChildren is null when there is no root.
  void GetTriangles(KelRawCollint& oRoots, KelRawCollint*& oChildren) const;

  // Applies every replacement of the other map, root by root.
  void Update(const KelCldTriangleMap& iOther);
  void Clear();
  void Print(std::ostream& oStream) const;
  void Print() const;

private:
  TriangleMap* FindRoot(const int iTriangle) const;

  std::unique_ptr<KelHashTable> _hashTable;        // TriangleMap records by root
  std::unique_ptr<KelHashTable> _parentHashTable;  // TriangleParent records by current triangle
};

#endif
