#include "KelCldSelectionUtilities.h"

#include <new>
#include <vector>

#include "KelCldNumberMarks.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"

KelImplementClass(KelCldSelectionUtilities, KelBaseUnknown, KelMetaImplementation)

namespace {

// The topology utility answers on the polygon's neighbourhood, which it only reads; it takes
// a non-const polygon because it holds a reference on it.
KelCldPolygon* Mutable(const KelCldPolygon* iPolygon) { return const_cast<KelCldPolygon*>(iPolygon); }

}  // namespace

int KelCldSelectionUtilities::GetActivatedTriangles(const KelCldPolygon* iPolygon, KelRawCollint& oTriangles)
{
  if (!iPolygon) return 0;
  oTriangles.RemoveAll();
  for (int t = 1; t <= iPolygon->GetNbTriangles(); ++t)
    if (iPolygon->IsTriangleActive(t)) oTriangles.Append(t);
  return 1;
}

int KelCldSelectionUtilities::GetSelectedVertices(const KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                                  KelRawCollint& oVertices)
{
  if (!iPolygon || iTriangles.Size() == 0) return 0;
  KelCldNumberMarks marks;
  if (!marks.Allocate(iPolygon->GetNbPoints(1))) return 0;
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    int v[3];
    unsigned char orientation = 0;
    if (!iPolygon->GetTriangleVertices(iTriangles[i], v, orientation)) continue;
    for (const int vertex : v) marks.Mark(vertex);
  }
  marks.AppendTo(oVertices);
  return 1;
}

int KelCldSelectionUtilities::GetSelectedFaces(const KelCldPolygon* iPolygon, const KelRawCollint& iVertices,
                                               KelRawCollint& oTriangles)
{
  if (!iPolygon || iVertices.Size() == 0) return 0;
  KelCldNumberMarks marks;
  if (!marks.Allocate(iPolygon->GetNbTriangles(1))) return 0;
  KelRawCollint around;
  for (int i = 1; i <= iVertices.Size(); ++i) {
    iPolygon->GetTrianglesAroundVertex(iVertices[i], around);
    for (int k = 1; k <= around.Size(); ++k)
      if (iPolygon->IsTriangleActive(around[k])) marks.Mark(around[k]);
  }
  marks.AppendTo(oTriangles);
  return 1;
}

int KelCldSelectionUtilities::GetSelectedFaces(const KelCldPolygon* iPolygon, int iCount, const int* iVertices,
                                               KelRawCollint& oTriangles)
{
  if (!iPolygon || !iVertices || iCount <= 0) return 0;
  KelCldNumberMarks given, marks;
  if (!given.Allocate(iPolygon->GetNbPoints(1)) || !marks.Allocate(iPolygon->GetNbTriangles(1))) return 0;
  for (int i = 0; i < iCount; ++i) given.Mark(iVertices[i]);
  KelRawCollint around;
  for (int i = 0; i < iCount; ++i) {
    iPolygon->GetTrianglesAroundVertex(iVertices[i], around);
    for (int k = 1; k <= around.Size(); ++k) {
      const int t = around[k];
      int v[3];
      unsigned char orientation = 0;
      if (!iPolygon->IsTriangleActive(t) || !iPolygon->GetTriangleVertices(t, v, orientation)) continue;
      if (given.IsMarked(v[0]) && given.IsMarked(v[1]) && given.IsMarked(v[2])) marks.Mark(t);
    }
  }
  marks.AppendTo(oTriangles);
  return 1;
}

int KelCldSelectionUtilities::ClassifyVertices(const KelCldPolygon* iPolygon, const KelRawCollint& iVertices,
                                               KelRawCollint& oInner, KelRawCollint& oOnHole, KelRawCollint& oOnBorder)
{
  if (!iPolygon) return 0;
  const int nbPoints = iPolygon->GetNbPoints();
  std::vector<unsigned char> flags;
  try {
    flags.assign(static_cast<size_t>(nbPoints) + 1, 0);
  } catch (const std::bad_alloc&) {
    return 1;
  }
  auto inRange = [nbPoints](int v) { return v >= 1 && v <= nbPoints; };
  for (int i = 1; i <= iVertices.Size(); ++i)
    if (inRange(iVertices[i])) flags[static_cast<size_t>(iVertices[i])] = 1;

  const KelCldTopologyUtil topology(Mutable(iPolygon));
  KelRawCollint ring;
  for (int i = 1; i <= iVertices.Size(); ++i) {
    const int v = iVertices[i];
    if (!inRange(v)) continue;
    topology.GetNeighborVertices(v, ring);
    for (int k = 1; k <= ring.Size(); ++k)
      if (!flags[static_cast<size_t>(ring[k])]) {
        flags[static_cast<size_t>(v)] = 3;
        break;
      }
  }
  for (int i = 1; i <= iVertices.Size(); ++i) {
    const int v = iVertices[i];
    if (inRange(v) && flags[static_cast<size_t>(v)] != 3 && topology.IsHoleVertex(v)) flags[static_cast<size_t>(v)] = 2;
  }

  oInner.RemoveAll();
  oOnHole.RemoveAll();
  oOnBorder.RemoveAll();
  KelRawCollint* classes[4] = {nullptr, &oInner, &oOnHole, &oOnBorder};
  for (int v = 1; v <= nbPoints; ++v)
    if (flags[static_cast<size_t>(v)]) classes[flags[static_cast<size_t>(v)]]->Append(v);
  return 1;
}

int KelCldSelectionUtilities::GetBoundaryVertices(const KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                                  KelRawCollint& oOnHole, KelRawCollint& oOnBorder)
{
  if (!iPolygon || iTriangles.Size() == 0) return 0;
  KelRawCollint vertices;
  GetSelectedVertices(iPolygon, iTriangles, vertices);
  KelCldNumberMarks selected;
  if (!selected.Allocate(iPolygon->GetNbTriangles(1))) return 0;
  for (int i = 1; i <= iTriangles.Size(); ++i) selected.Mark(iTriangles[i]);

  const KelCldTopologyUtil topology(Mutable(iPolygon));
  KelRawCollint around;
  for (int i = 1; i <= vertices.Size(); ++i) {
    const int v = vertices[i];
    if (topology.IsHoleVertex(v)) {
      oOnHole.Append(v);
      continue;
    }
    iPolygon->GetTrianglesAroundVertex(v, around);
    for (int k = 1; k <= around.Size(); ++k)
      if (!selected.IsMarked(around[k])) {
        oOnBorder.Append(v);
        break;
      }
  }
  return 1;
}
