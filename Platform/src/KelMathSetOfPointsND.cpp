#include "KelMathSetOfPointsND.h"

#include <cstddef>

#include "KelFatalError.h"

KelMathSetOfPointsND::KelMathSetOfPointsND(int iDimension, int iNbPoints)
    : _dimension(iDimension > 0 ? iDimension : 1), _nbPoints(iNbPoints > 0 ? iNbPoints : 0),
      _coords(static_cast<size_t>(_dimension) * static_cast<size_t>(_nbPoints), 0.0)
{
}

void KelMathSetOfPointsND::CheckIndex(int iIndex) const
{
  KelAssertText(iIndex >= 0 && iIndex < GetNumberOfPoints(), "iIndex >= 0 && iIndex < GetNumberOfPoints()");
}

double KelMathSetOfPointsND::GetCoord(int iIndex, int iCoord) const
{
  CheckIndex(iIndex);
  KelAssertText(iCoord >= 0 && iCoord < GetDimension(), "iCoord >= 0 && iCoord < GetDimension()");
  return _coords[static_cast<size_t>(iIndex) * _dimension + iCoord];
}

void KelMathSetOfPointsND::SetCoord(int iIndex, int iCoord, double iValue)
{
  CheckIndex(iIndex);
  KelAssertText(iCoord >= 0 && iCoord < GetDimension(), "iCoord >= 0 && iCoord < GetDimension()");
  _coords[static_cast<size_t>(iIndex) * _dimension + iCoord] = iValue;
}

const double* KelMathSetOfPointsND::GetPoint(int iIndex) const
{
  CheckIndex(iIndex);
  return _coords.data() + static_cast<size_t>(iIndex) * _dimension;
}

void KelMathSetOfPointsND::SetPoint(int iIndex, const double* iCoords)
{
  CheckIndex(iIndex);
  if (!iCoords) return;
  for (int k = 0; k < _dimension; ++k) _coords[static_cast<size_t>(iIndex) * _dimension + k] = iCoords[k];
}

KelMathPoint KelMathSetOfPointsND::GetMathPoint(int iIndex) const
{
  const double* coords = GetPoint(iIndex);
  double xyz[3] = {0.0, 0.0, 0.0};
  for (int k = 0; k < 3 && k < _dimension; ++k) xyz[k] = coords[k];
  return KelMathPoint(xyz);
}

void KelMathSetOfPointsND::SetPoint(int iIndex, const KelMathPoint& iPoint)
{
  CheckIndex(iIndex);
  for (int k = 0; k < 3 && k < _dimension; ++k) _coords[static_cast<size_t>(iIndex) * _dimension + k] = iPoint[k];
}
