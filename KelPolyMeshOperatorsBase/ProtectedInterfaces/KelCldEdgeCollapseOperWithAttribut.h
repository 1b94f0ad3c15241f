#ifndef KelCldEdgeCollapseOperWithAttribut_h
#define KelCldEdgeCollapseOperWithAttribut_h
// The edge contraction for meshes whose vertices carry the host's source-edge records (a chain
// of KelTessCldTessVertexInfo headed by each vertex's attribute pointer).
//
// - Two vertices that both lie on source edges are merged only when they share one.
// - Nearly coincident vertices (squared distance below 0.0001) are merged whatever the other
//   tests say.
// - A merge keeps the removed vertex's source edges on the kept vertex (the larger value on a
//   shared edge) and destroys the removed vertex's records.
// The vertex attribute pointers of a polygon handed to this operator must be record chains or
// null: the operator owns none of them but deletes those of the vertices it removes.

#include "KelCldEdgeCollapseOper.h"

class KelCldEdgeCollapseOperWithAttribut : public KelCldEdgeCollapseOper {
  KelDeclareClass

public:
  explicit KelCldEdgeCollapseOperWithAttribut(KelCldPolygon* iPolygon = nullptr);

  int PairContraction(const int iVertexKeep, const int iVertexRemove, const KelMathPoint& iTarget, int& oTriangle1,
                      int& oTriangle2, int& oWing1, int& oWing2) override;
  using KelCldEdgeCollapseOper::PairContraction;

protected:
  void BeforeVertexRemoval(const int iVertexKeep, const int iVertexRemove) override;

private:
  // Both vertices lie on source edges and none is common to both.
  bool OnDifferentSourceEdges(const int iVertexKeep, const int iVertexRemove) const;
  void MergeRecords(const int iVertexKeep, const int iVertexRemove);
};

#endif
