#ifndef KelNurbsCurve_h
#define KelNurbsCurve_h
// A NURBS curve of the modeller: a clamped knot vector, control points and their weights.
// Made by KelGeoFactory, which checks the data; the curve itself never changes afterwards.

#include <vector>

#include "KelCurve.h"
#include "KelKnotVector.h"
#include "KelMathPoint.h"
#include "KelMathSetOfPoints.h"

class KelNurbsCurve : public KelCurve {
  KelDeclareClass

public:
  // The data must be consistent (see KelGeoFactory::CreateNurbsCurve); a null weight array
  // makes every weight 1.
  KelNurbsCurve(const KelKnotVector& iKnots, const double* iWeights, const KelMathSetOfPoints& iControlPoints);

  const KelKnotVector& GetKnotVector() const { return _knots; }
  int IsRational() const;
  int GetNumberOfControlPoints() const { return _controlPoints.GetNumberOfPoints(); }
  // Control points and weights are numbered from 1; out of range gives the origin / 0.
  KelMathPoint GetControlPoint(int iIndex) const;
  double GetWeight(int iIndex) const;
  void GetParamRange(double& oStart, double& oEnd) const;
  // The point at a parameter, clamped into the parameter range (de Boor on homogeneous points).
  KelMathPoint Evaluate(double iParam) const;

private:
  KelKnotVector _knots;
  std::vector<double> _flatKnots;
  std::vector<double> _weights;
  KelMathSetOfPoints _controlPoints;
};

#endif
