#ifndef KelCldCoonsSmoothOper_h
#define KelCldCoonsSmoothOper_h
// Explicit smoothing toward 1.5 N - 0.5 O, N the mean of the ring-1 neighbours and O the mean
// of the vertices opposite the vertex's triangles (across their far edges). It flattens like
// the Laplacian but shrinks less.

#include "KelCldLocalSmoothOper.h"

class KelCldCoonsSmoothOper : public KelCldLocalSmoothOper {
  KelDeclareClass

public:
  KelCldCoonsSmoothOper() = default;
  KelMathPoint SmoothVertex(const int iVertex) const override;

  // Appends, per triangle around the vertex (polygon order), the far vertex of the triangle
  // across its edge opposite the vertex; nothing across a free edge. Not emptied first.
  void GetOppositeVertices(int iVertex, KelRawCollint& ioVertices) const;

private:
  // Scratch reused from vertex to vertex.
  mutable KelRawCollint _triangles;
  mutable KelRawCollint _opposite;
};

#endif
