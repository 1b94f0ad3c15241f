#include "KelMathNxNFullSymMatrix.h"

#include <cmath>
#include <cstddef>

#include "KelFatalError.h"

KelMathNxNFullSymMatrix::KelMathNxNFullSymMatrix(int iSize)
    : _size(iSize > 0 ? iSize : 0), _values(static_cast<size_t>(_size) * static_cast<size_t>(_size), 0.0)
{
}

double KelMathNxNFullSymMatrix::Get(int iRow, int iColumn) const
{
  KelAssertText(iRow >= 0 && iRow < _size && iColumn >= 0 && iColumn < _size,
                "iRow >= 0 && iRow < _size && iColumn >= 0 && iColumn < _size");
  return _values[static_cast<size_t>(iRow) * _size + iColumn];
}

void KelMathNxNFullSymMatrix::Set(int iRow, int iColumn, double iValue)
{
  KelAssertText(iRow >= 0 && iRow < _size && iColumn >= 0 && iColumn < _size,
                "iRow >= 0 && iRow < _size && iColumn >= 0 && iColumn < _size");
  _values[static_cast<size_t>(iRow) * _size + iColumn] = iValue;
  _values[static_cast<size_t>(iColumn) * _size + iRow] = iValue;
}

int KelMathNxNFullSymMatrix::EvalEigenVal(std::vector<double>& oEigenValues, std::vector<double>& oEigenVectors,
                                          double iTolerance) const
{
  const int n = _size;
  if (n == 0) return 0;
  std::vector<double> a(_values);
  double norm2 = 0.0;
  for (double value : a) {
    if (!std::isfinite(value)) return 0;
    norm2 += value * value;
  }
  const double threshold = (iTolerance > 0.0 ? iTolerance : 0.0) * std::sqrt(norm2);
  std::vector<double> v(a.size(), 0.0);
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i) * n + i] = 1.0;
  auto at = [n](std::vector<double>& m, int i, int j) -> double& { return m[static_cast<size_t>(i) * n + j]; };

  const int maxSweeps = 50;
  bool converged = false;
  for (int sweep = 0; sweep <= maxSweeps; ++sweep) {
    double off2 = 0.0;
    for (int p = 0; p < n; ++p)
      for (int q = p + 1; q < n; ++q) off2 += at(a, p, q) * at(a, p, q);
    if (std::sqrt(off2) <= threshold) {
      converged = true;
      break;
    }
    if (sweep == maxSweeps) break;
    for (int p = 0; p < n - 1; ++p) {
      for (int q = p + 1; q < n; ++q) {
        const double apq = at(a, p, q);
        if (apq == 0.0) continue;
        const double app = at(a, p, p), aqq = at(a, q, q);
        if (100.0 * std::fabs(apq) + std::fabs(app) == std::fabs(app) &&
            100.0 * std::fabs(apq) + std::fabs(aqq) == std::fabs(aqq)) {
          at(a, p, q) = at(a, q, p) = 0.0;
          continue;
        }
        const double theta = (aqq - app) / (2.0 * apq);
        // For a huge theta, theta^2 would overflow; sqrt(theta^2 + 1) is |theta| to precision.
        const double root = std::fabs(theta) > 1e150 ? std::fabs(theta) : std::sqrt(theta * theta + 1.0);
        const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + root);
        const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
        at(a, p, p) = app - t * apq;
        at(a, q, q) = aqq + t * apq;
        at(a, p, q) = at(a, q, p) = 0.0;
        for (int r = 0; r < n; ++r) {
          if (r != p && r != q) {
            const double arp = at(a, r, p), arq = at(a, r, q);
            at(a, r, p) = at(a, p, r) = c * arp - s * arq;
            at(a, r, q) = at(a, q, r) = s * arp + c * arq;
          }
          const double vrp = at(v, r, p), vrq = at(v, r, q);
          at(v, r, p) = c * vrp - s * vrq;
          at(v, r, q) = s * vrp + c * vrq;
        }
      }
    }
  }
  if (!converged) return 0;
  oEigenValues.resize(static_cast<size_t>(n));
  for (int j = 0; j < n; ++j) oEigenValues[static_cast<size_t>(j)] = at(a, j, j);
  oEigenVectors = v;
  return 1;
}
