#ifndef KelCldBoundaryScan_h
#define KelCldBoundaryScan_h
// One boundary scan of a cloud polygon: a sequence of point identifiers, closed or open.
// A closed scan lists its first point again at its end. The polygon maps an identifier to a
// vertex number with KelCldPolygon::GetVertexOfScanPoint.

#include <vector>

class KelCldBoundaryScan {
public:
  explicit KelCldBoundaryScan(int iClosed = 0) : _closed(iClosed ? 1 : 0) {}

  int IsClosed() const { return _closed; }
  void SetClosed(int iClosed) { _closed = iClosed ? 1 : 0; }
  // Number of points, the repeated closing point of a closed scan included.
  int GetNbPoints(int iAll = 1) const
  {
    (void)iAll;
    return static_cast<int>(_identifiers.size());
  }
  // Identifier of point j (1-based); 0 outside 1..GetNbPoints().
  int GetPointIdentifier(int iPoint) const
  {
    return iPoint >= 1 && iPoint <= GetNbPoints() ? _identifiers[static_cast<size_t>(iPoint - 1)] : 0;
  }
  void AddPoint(int iIdentifier) { _identifiers.push_back(iIdentifier); }

private:
  int _closed;
  std::vector<int> _identifiers;
};

#endif
