#ifndef KelMathSetOfPoints_h
#define KelMathSetOfPoints_h
// An ordered set of 3D points, indexed from 0 to GetNumberOfPoints() - 1.
//
// An index outside that range is the fatal assertion "iIndex >= 0 && iIndex < GetNumberOfPoints()".

#include <vector>

#include "KelMathPoint.h"

class KelMathSetOfPoints {
public:
  KelMathSetOfPoints() {}
  // iNbPoints points at (0, 0, 0).
  explicit KelMathSetOfPoints(int iNbPoints) { Resize(iNbPoints); }
  KelMathSetOfPoints(const KelMathPoint* iPoints, int iNbPoints);

  int GetNumberOfPoints() const { return static_cast<int>(_points.size()); }
  // Keeps the first points; new ones are at (0, 0, 0). A negative count empties the set.
  void Resize(int iNbPoints);
  void RemoveAll() { _points.clear(); }
  // Appends and returns the new number of points.
  int AddPoint(const KelMathPoint& iPoint);

  const KelMathPoint& GetPoint(int iIndex) const;
  void GetPoint(int iIndex, KelMathPoint& oPoint) const { oPoint = GetPoint(iIndex); }
  void SetPoint(int iIndex, const KelMathPoint& iPoint);
  const KelMathPoint& operator[](int iIndex) const { return GetPoint(iIndex); }
  KelMathPoint& operator[](int iIndex);

private:
  std::vector<KelMathPoint> _points;
};

#endif
