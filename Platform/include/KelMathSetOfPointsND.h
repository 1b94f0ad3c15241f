#ifndef KelMathSetOfPointsND_h
#define KelMathSetOfPointsND_h
// An ordered set of points of one dimension (1 or more coordinates each), indexed from 0.
//
// Point and coordinate indices outside their ranges are the fatal assertions
// "iIndex >= 0 && iIndex < GetNumberOfPoints()" and "iCoord >= 0 && iCoord < GetDimension()".

#include <vector>

#include "KelMathPoint.h"

class KelMathSetOfPointsND {
public:
  // Dimension 3, no point.
  KelMathSetOfPointsND() : _dimension(3), _nbPoints(0) {}
  // A dimension below 1 counts as 1; a negative count as 0. Coordinates start at 0.
  KelMathSetOfPointsND(int iDimension, int iNbPoints);

  int GetDimension() const { return _dimension; }
  int GetNumberOfPoints() const { return _nbPoints; }

  double GetCoord(int iIndex, int iCoord) const;
  void SetCoord(int iIndex, int iCoord, double iValue);
  // The GetDimension() coordinates of a point.
  const double* GetPoint(int iIndex) const;
  void SetPoint(int iIndex, const double* iCoords);
  // The first three coordinates (missing ones 0) as a 3D point, and back.
  KelMathPoint GetMathPoint(int iIndex) const;
  void SetPoint(int iIndex, const KelMathPoint& iPoint);

private:
  void CheckIndex(int iIndex) const;

  int _dimension;
  int _nbPoints;
  std::vector<double> _coords;
};

#endif
