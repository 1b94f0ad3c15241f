#ifndef KelListValKelCldMeshPoint_h
#define KelListValKelCldMeshPoint_h
// 1-based list of mesh points held by value: each entry is a heap copy owned by the list, so
// a point keeps its address while the list grows or loses other entries.
//
// - Append and InsertAt store a new copy; RemovePosition, RemoveAll, assignment and
//   destruction delete the copies.
// - Positions outside 1..Size() are the collection's fatal assertion
//   "iPos > 0 && iPos <= _Size" (InsertAt takes 1..Size()+1).
// - == compares sizes, then the points position by position with mesh-point equality.

#include "KelCldMeshPoint.h"
#include "KelRawColl.h"

class KelListValKelCldMeshPoint {
public:
  explicit KelListValKelCldMeshPoint(int iInitialCapacity = 0);
  KelListValKelCldMeshPoint(const KelListValKelCldMeshPoint& iOther);
  KelListValKelCldMeshPoint(KelListValKelCldMeshPoint&& ioOther) noexcept;
  KelListValKelCldMeshPoint& operator=(const KelListValKelCldMeshPoint& iOther);
  KelListValKelCldMeshPoint& operator=(KelListValKelCldMeshPoint&& ioOther) noexcept;
  ~KelListValKelCldMeshPoint();

  int Size() const { return _points.Size(); }
  // Returns the new size.
  int Append(const KelCldMeshPoint& iPoint);
  // The copy ends at position iPos.
  void InsertAt(int iPos, const KelCldMeshPoint& iPoint);

  KelCldMeshPoint& operator[](int iPos) { return *static_cast<KelCldMeshPoint*>(_points[iPos]); }
  const KelCldMeshPoint& operator[](int iPos) const { return *static_cast<const KelCldMeshPoint*>(_points[iPos]); }

  void RemovePosition(int iPos);
  void RemoveAll();

  bool operator==(const KelListValKelCldMeshPoint& iOther) const;
  bool operator!=(const KelListValKelCldMeshPoint& iOther) const { return !(*this == iOther); }

private:
  void AppendCopies(const KelListValKelCldMeshPoint& iOther);

  KelRawCollPV _points;  // owned KelCldMeshPoint copies
};

#endif
