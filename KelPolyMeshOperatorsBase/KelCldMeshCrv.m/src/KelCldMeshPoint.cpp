#include "KelCldMeshPoint.h"

#include "KelCldConstants.h"

bool KelCldMeshPoint::operator==(const KelCldMeshPoint& iOther) const
{
  if (_type != iOther._type) return false;
  const bool closeEnough = _position.SquareDistanceTo(iOther._position) <= KelCldDistanceSquareEpsilon;
  switch (_type) {
    case eVertexPoint:
      return _index0 == iOther._index0;
    case eEdgePoint: {
      const bool samePair = (_index0 == iOther._index0 && _index1 == iOther._index1) ||
                            (_index0 == iOther._index1 && _index1 == iOther._index0);
      return samePair && closeEnough;
    }
    case eFacePoint:
      return _index0 == iOther._index0 && closeEnough;
    default:
      return false;
  }
}

void KelCldMeshPoint::SetVertex(const int iVertex)
{
  _type = eVertexPoint;
  _index0 = iVertex;
  _index1 = 0;
}

void KelCldMeshPoint::SetEdge(const int iVertex0, const int iVertex1)
{
  _type = eEdgePoint;
  _index0 = iVertex0;
  _index1 = iVertex1;
}

void KelCldMeshPoint::SetTriangle(const int iTriangle)
{
  _type = eFacePoint;
  _index0 = iTriangle;
  _index1 = 0;
}

int KelCldMeshPoint::GetVertex(int& oVertex) const
{
  if (_type != eVertexPoint) return 0;
  oVertex = _index0;
  return 1;
}

int KelCldMeshPoint::GetEdge(int& oVertex0, int& oVertex1) const
{
  if (_type != eEdgePoint) return 0;
  oVertex0 = _index0;
  oVertex1 = _index1;
  return 1;
}

int KelCldMeshPoint::GetTriangle(int& oTriangle) const
{
  if (_type != eFacePoint) return 0;
  oTriangle = _index0;
  return 1;
}

void KelCldMeshPoint::Print(std::ostream& ioStream) const
{
  ioStream << "(" << _position.GetX() << ", " << _position.GetY() << ", " << _position.GetZ() << "); ";
  switch (_type) {
    case eVertexPoint:
      ioStream << "Vertex: " << _index0;
      break;
    case eEdgePoint:
      ioStream << "Edge: (" << _index0 << ", " << _index1 << ")";
      break;
    case eFacePoint:
      ioStream << "Triangle: " << _index0;
      break;
    default:
      break;
  }
  ioStream << std::endl;
}
