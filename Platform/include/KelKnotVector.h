#ifndef KelKnotVector_h
#define KelKnotVector_h
// The knot vector of a NURBS curve: a degree, a periodicity flag and increasing distinct knot
// values, each with its multiplicity.
//
// - Only non-periodic (clamped) vectors are supported: the first and last knots carry
//   multiplicity degree + 1, inner knots at most degree. IsValid checks this, and a factory
//   refuses a vector that fails it.
// - A clamped vector of k knots with total multiplicity m supports m - degree - 1 control
//   points; the parameter range runs from the first knot to the last.

#include <vector>

class KelKnotVector {
public:
  // iNbKnots distinct values with their multiplicities; null arrays or a negative count give an
  // empty (invalid) vector.
  KelKnotVector(int iDegree, int iIsPeriodic, int iNbKnots, const double* iKnots, const int* iMultiplicities);

  int GetDegree() const { return _degree; }
  int IsPeriodic() const { return _isPeriodic; }
  int GetNumberOfKnots() const { return static_cast<int>(_knots.size()); }
  // Knots are numbered from 1 to GetNumberOfKnots(); 0 outside that range.
  double GetKnotValue(int iIndex) const;
  int GetKnotMultiplicity(int iIndex) const;
  int GetNumberOfControlPoints() const;
  // 1 for a clamped, increasing vector of degree at least 1 supporting a control point.
  int IsValid() const;
  // Every knot repeated by its multiplicity: the flat sequence used by evaluation.
  std::vector<double> GetFlatKnots() const;

private:
  int _degree;
  int _isPeriodic;
  std::vector<double> _knots;
  std::vector<int> _multiplicities;
};

#endif
