#ifndef KelMathBox_h
#define KelMathBox_h
// An axis-aligned box. A new box is empty (min above max) until a point is added.
//
// Boxes are closed: touching boxes intersect and a point on a face is contained. Tolerances
// widen the test, they never change the box. An empty box contains and intersects nothing.

#include "KelMathConstants.h"
#include "KelMathPoint.h"

class KelMathBox {
public:
  KelMathBox() { SetToEmpty(); }
  KelMathBox(double iXMin, double iXMax, double iYMin, double iYMax, double iZMin, double iZMax)
      : _min{iXMin, iYMin, iZMin}, _max{iXMax, iYMax, iZMax} {}

  void SetToEmpty()
  {
    for (int i = 0; i < 3; ++i) { _min[i] = KelMathInfinite; _max[i] = -KelMathInfinite; }
  }
  bool IsEmpty() const { return _min[0] > _max[0] || _min[1] > _max[1] || _min[2] > _max[2]; }
  void AddPoint(double iX, double iY, double iZ)
  {
    const double p[3] = {iX, iY, iZ};
    for (int i = 0; i < 3; ++i) {
      if (p[i] < _min[i]) _min[i] = p[i];
      if (p[i] > _max[i]) _max[i] = p[i];
    }
  }
  void AddPoint(const KelMathPoint& iPoint) { AddPoint(iPoint.GetX(), iPoint.GetY(), iPoint.GetZ()); }
  void AddInside(const KelMathPoint& iPoint) { AddPoint(iPoint); }
  // Union in place; adding an empty box changes nothing.
  void AddInside(const KelMathBox& iBox);
  // Moves every face outwards by iMargin (inwards when negative); an empty box stays empty.
  void Enlarge(double iMargin);

  int IsContaining(const KelMathPoint& iPoint, double iTolerance = 0.0) const;
  // 1 when the boxes overlap or lie within iTolerance of each other on every axis.
  int IsIntersecting(const KelMathBox& iOther, double iTolerance = 0.0) const;
  void GetExtremities(double& oXMin, double& oXMax, double& oYMin, double& oYMax, double& oZMin, double& oZMax) const
  {
    oXMin = _min[0]; oXMax = _max[0]; oYMin = _min[1]; oYMax = _max[1]; oZMin = _min[2]; oZMax = _max[2];
  }
  void SetExtremities(double iXMin, double iXMax, double iYMin, double iYMax, double iZMin, double iZMax)
  {
    _min[0] = iXMin; _max[0] = iXMax; _min[1] = iYMin; _max[1] = iYMax; _min[2] = iZMin; _max[2] = iZMax;
  }
  KelMathPoint GetLow() const { return KelMathPoint(_min[0], _min[1], _min[2]); }
  KelMathPoint GetHigh() const { return KelMathPoint(_max[0], _max[1], _max[2]); }

private:
  double _min[3];
  double _max[3];
};

#endif
