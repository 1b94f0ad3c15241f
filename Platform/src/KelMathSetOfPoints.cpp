#include "KelMathSetOfPoints.h"

#include <cstddef>

#include "KelFatalError.h"

KelMathSetOfPoints::KelMathSetOfPoints(const KelMathPoint* iPoints, int iNbPoints)
{
  if (iPoints && iNbPoints > 0) _points.assign(iPoints, iPoints + iNbPoints);
}

void KelMathSetOfPoints::Resize(int iNbPoints) { _points.resize(iNbPoints > 0 ? static_cast<size_t>(iNbPoints) : 0); }

int KelMathSetOfPoints::AddPoint(const KelMathPoint& iPoint)
{
  _points.push_back(iPoint);
  return GetNumberOfPoints();
}

const KelMathPoint& KelMathSetOfPoints::GetPoint(int iIndex) const
{
  KelAssertText(iIndex >= 0 && iIndex < GetNumberOfPoints(), "iIndex >= 0 && iIndex < GetNumberOfPoints()");
  return _points[static_cast<size_t>(iIndex)];
}

void KelMathSetOfPoints::SetPoint(int iIndex, const KelMathPoint& iPoint)
{
  KelAssertText(iIndex >= 0 && iIndex < GetNumberOfPoints(), "iIndex >= 0 && iIndex < GetNumberOfPoints()");
  _points[static_cast<size_t>(iIndex)] = iPoint;
}

KelMathPoint& KelMathSetOfPoints::operator[](int iIndex)
{
  KelAssertText(iIndex >= 0 && iIndex < GetNumberOfPoints(), "iIndex >= 0 && iIndex < GetNumberOfPoints()");
  return _points[static_cast<size_t>(iIndex)];
}
