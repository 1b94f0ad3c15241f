#ifndef KelMathNxNFullSymMatrix_h
#define KelMathNxNFullSymMatrix_h
// A symmetric N x N matrix of doubles, stored in full; indices 0..N-1. Set(i, j) also sets (j, i).
// An index outside 0..N-1 is the fatal assertion "iRow >= 0 && iRow < _size && iColumn >= 0 && iColumn < _size".
//
// EvalEigenVal is a cyclic Jacobi solver. Callers break ties on the column order, so the rules
// are fixed:
// - Sweep order: row by row, (p, q) = (0,1), (0,2), ..., (0,N-1), (1,2), ..., (N-2,N-1).
// - Convergence is tested before every sweep: done when sqrt(sum over p<q of a(p,q)^2) is at
//   most iTolerance times the Frobenius norm of the input (a zero matrix is done at once). After
//   50 sweeps without convergence the result is 0.
// - A pair with a(p,q) = 0 is skipped. A pair whose |a(p,q)| is negligible beside both diagonal
//   entries (100 |a(p,q)| + |a(p,p)| == |a(p,p)|, same for q) is set to 0 without rotation.
// - Otherwise the rotation is the one of smallest angle (|angle| <= pi/4): theta =
//   (a(q,q) - a(p,p)) / (2 a(p,q)), t = sign(theta) / (|theta| + sqrt(theta^2 + 1)) with
//   sign(0) = +1, c = 1 / sqrt(t^2 + 1), s = t c; a(p,p) -= t a(p,q), a(q,q) += t a(p,q),
//   a(p,q) = 0; for the other rows r: a(r,p) <- c a(r,p) - s a(r,q), a(r,q) <- s a(r,p) + c a(r,q);
//   the eigenvector matrix V (starting at the identity) has its columns p and q rotated likewise.
// - Nothing is sorted: eigenvalue j is the final a(j,j) and its eigenvector is column j of V.
//   A diagonal matrix gives its diagonal in place and V = identity; a pair with equal diagonal
//   entries is rotated by exactly pi/4.

#include <vector>

#include "KelMathConstants.h"

class KelMathNxNFullSymMatrix {
public:
  // N x N zeros; a negative size counts as 0.
  explicit KelMathNxNFullSymMatrix(int iSize);

  int GetSize() const { return _size; }
  double Get(int iRow, int iColumn) const;
  double operator()(int iRow, int iColumn) const { return Get(iRow, iColumn); }
  void Set(int iRow, int iColumn, double iValue);

  // 1 with the N eigenvalues and the eigenvectors (oEigenVectors[i * N + j] is component i of
  // eigenvector j: row-major, one eigenvector per column); 0 for an empty matrix, a non-finite
  // entry or no convergence, with the outputs untouched.
  int EvalEigenVal(std::vector<double>& oEigenValues, std::vector<double>& oEigenVectors,
                   double iTolerance = KelGetDefaultTolerance()) const;

private:
  int _size;
  std::vector<double> _values;
};

#endif
