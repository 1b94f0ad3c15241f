#ifndef KelCldSelectionUtilities_h
#define KelCldSelectionUtilities_h
// Conversions between selections of a polygon: active triangles, vertices of triangles,
// triangles around or spanned by vertices, and the classes of selected vertices (inner, on a
// hole, on the selection's border).
//
// Every operation returns 0 for a null polygon (and where stated for an empty input), 1
// otherwise. Outputs are appended to, each element once in increasing number, unless the
// operation says it clears them. Triangles around vertices are taken among the active ones.

#include "KelBaseUnknown.h"
#include "KelRawColl.h"

class KelCldPolygon;

class KelCldSelectionUtilities : public KelBaseUnknown {
  KelDeclareClass

public:
  // Clears the output first.
  static int GetActivatedTriangles(const KelCldPolygon* iPolygon, KelRawCollint& oTriangles);
  // 0 for an empty input.
  static int GetSelectedVertices(const KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                 KelRawCollint& oVertices);
  // Active triangles having at least one of the vertices; 0 for an empty input.
  static int GetSelectedFaces(const KelCldPolygon* iPolygon, const KelRawCollint& iVertices,
                              KelRawCollint& oTriangles);
  // Active triangles whose three vertices are all listed; 0 for a null array or no vertex.
  static int GetSelectedFaces(const KelCldPolygon* iPolygon, int iCount, const int* iVertices,
                              KelRawCollint& oTriangles);
  // Clears the three outputs. A vertex with a neighbour outside the selection is on the
  // border (even when it is also on a hole); otherwise it is on a hole when an edge to a
  // neighbour is free; otherwise inner.
  static int ClassifyVertices(const KelCldPolygon* iPolygon, const KelRawCollint& iVertices, KelRawCollint& oInner,
                              KelRawCollint& oOnHole, KelRawCollint& oOnBorder);
  // Vertices of the triangles: hole vertices to oOnHole, others with a triangle outside the
  // list to oOnBorder. 0 for an empty input.
  static int GetBoundaryVertices(const KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                 KelRawCollint& oOnHole, KelRawCollint& oOnBorder);
};

#endif
