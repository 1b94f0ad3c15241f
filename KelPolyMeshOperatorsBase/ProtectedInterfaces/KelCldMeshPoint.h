#ifndef KelCldMeshPoint_h
#define KelCldMeshPoint_h
// A position on the triangulated mesh together with the element that carries it: a vertex,
// an edge or the inside of a triangle.
//
// - A default point is undefined: both indices 0, position at the origin.
// - SetVertex, SetEdge and SetTriangle change the type and the indices, never the position;
//   an edge keeps its vertices in the order given.
// - Equality: the types must match. Vertex points compare their vertex only (positions on a
//   vertex are redundant); edge points compare the unordered pair of vertices, triangle points
//   the triangle, and both also need positions within KelCldDistanceSquareEpsilon (squared
//   distance). Undefined points are never equal, not even to themselves.
// - The typed getters return 1 and fill their arguments only for a point of that type; they
//   return 0 and leave the arguments alone otherwise.

#include <ostream>

#include "KelMathPoint.h"

enum MeshPointType : int { eVertexPoint = 0, eEdgePoint = 1, eFacePoint = 2, eUndefinedPoint = 3 };

class KelCldMeshPoint {
public:
  KelCldMeshPoint() = default;

  bool operator==(const KelCldMeshPoint& iOther) const;
  bool operator!=(const KelCldMeshPoint& iOther) const { return !(*this == iOther); }

  MeshPointType GetType() const { return _type; }
  // Overwrites the type alone: the indices keep their meaning for the caller to fix.
  void SetType(const MeshPointType iType) { _type = iType; }
  const KelMathPoint& GetPosition() const { return _position; }
  void SetPosition(const KelMathPoint& iPosition) { _position = iPosition; }

  void SetVertex(const int iVertex);
  void SetEdge(const int iVertex0, const int iVertex1);
  void SetTriangle(const int iTriangle);
  int GetVertex(int& oVertex) const;
  int GetEdge(int& oVertex0, int& oVertex1) const;
  int GetTriangle(int& oTriangle) const;

  // "(x, y, z); " then "Vertex: v", "Edge: (a, b)" or "Triangle: t", and an end of line.
  void Print(std::ostream& ioStream) const;

private:
  MeshPointType _type = eUndefinedPoint;
  int _index0 = 0;  // vertex, first edge vertex or triangle
  int _index1 = 0;  // second edge vertex, else 0
  KelMathPoint _position;
};

#endif
