#include "KelKnotVector.h"

#include <cstddef>

KelKnotVector::KelKnotVector(int iDegree, int iIsPeriodic, int iNbKnots, const double* iKnots,
                             const int* iMultiplicities)
    : _degree(iDegree), _isPeriodic(iIsPeriodic ? 1 : 0)
{
  if (!iKnots || !iMultiplicities || iNbKnots <= 0) return;
  _knots.assign(iKnots, iKnots + iNbKnots);
  _multiplicities.assign(iMultiplicities, iMultiplicities + iNbKnots);
}

double KelKnotVector::GetKnotValue(int iIndex) const
{
  return iIndex >= 1 && iIndex <= GetNumberOfKnots() ? _knots[static_cast<size_t>(iIndex - 1)] : 0.0;
}

int KelKnotVector::GetKnotMultiplicity(int iIndex) const
{
  return iIndex >= 1 && iIndex <= GetNumberOfKnots() ? _multiplicities[static_cast<size_t>(iIndex - 1)] : 0;
}

int KelKnotVector::GetNumberOfControlPoints() const
{
  int total = 0;
  for (const int multiplicity : _multiplicities) total += multiplicity;
  return total - _degree - 1;
}

int KelKnotVector::IsValid() const
{
  const size_t count = _knots.size();
  if (_isPeriodic || _degree < 1 || count < 2) return 0;
  if (_multiplicities.front() != _degree + 1 || _multiplicities.back() != _degree + 1) return 0;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && !(_knots[i] > _knots[i - 1])) return 0;
    if (_multiplicities[i] < 1 || _multiplicities[i] > _degree + 1) return 0;
    if (i > 0 && i + 1 < count && _multiplicities[i] > _degree) return 0;
  }
  return GetNumberOfControlPoints() >= 1 ? 1 : 0;
}

std::vector<double> KelKnotVector::GetFlatKnots() const
{
  std::vector<double> flat;
  for (size_t i = 0; i < _knots.size(); ++i)
    if (_multiplicities[i] > 0) flat.insert(flat.end(), static_cast<size_t>(_multiplicities[i]), _knots[i]);
  return flat;
}
