#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "KelMath3x3Matrix.h"
#include "KelMathNxNFullSymMatrix.h"

TEST(KelMath3x3Matrix, DeterminantAndInverse)
{
  const KelMath3x3Matrix m(2, 0, 1, 1, 3, 0, 0, 1, 4);
  EXPECT_DOUBLE_EQ(m.Determinant(), 25.0);
  KelMath3x3Matrix inv;
  ASSERT_EQ(m.Inverse(inv), 1);
  const KelMath3x3Matrix product = m * inv;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(product(i, j), i == j ? 1.0 : 0.0, 1e-15);
  EXPECT_EQ(m * KelMathVector(1, 1, 1), KelMathVector(3, 4, 5));
  EXPECT_EQ(m.Transpose()(0, 1), 1.0);

  // Singular (rank 2 and a zero row) refused without touching the output; scale does not matter.
  const KelMath3x3Matrix singular(1, 2, 3, 4, 5, 6, 7, 8, 9), zeroRow(1, 0, 0, 0, 0, 0, 0, 0, 1);
  KelMath3x3Matrix untouched(inv);
  EXPECT_EQ(singular.Inverse(untouched), 0);
  EXPECT_EQ(zeroRow.Inverse(untouched), 0);
  EXPECT_EQ(untouched, inv);
  const KelMath3x3Matrix tiny(1e-9, 0, 0, 0, 1e-9, 0, 0, 0, 1e-9);
  EXPECT_EQ(tiny.Inverse(untouched), 1);
  EXPECT_DOUBLE_EQ(untouched(2, 2), 1e9);
}

namespace {

KelMathNxNFullSymMatrix Make(int iSize, const std::vector<double>& iRowMajor)
{
  KelMathNxNFullSymMatrix m(iSize);
  for (int i = 0; i < iSize; ++i)
    for (int j = i; j < iSize; ++j) m.Set(i, j, iRowMajor[static_cast<size_t>(i * iSize + j)]);
  return m;
}

// A v = lambda v for every column, and V orthonormal.
void ExpectEigenPairs(const KelMathNxNFullSymMatrix& iM, const std::vector<double>& iValues, const std::vector<double>& iVectors)
{
  const int n = iM.GetSize();
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      double av = 0.0;
      for (int k = 0; k < n; ++k) av += iM(i, k) * iVectors[static_cast<size_t>(k * n + j)];
      EXPECT_NEAR(av, iValues[static_cast<size_t>(j)] * iVectors[static_cast<size_t>(i * n + j)], 1e-12);
    }
    for (int l = 0; l < n; ++l) {
      double dot = 0.0;
      for (int k = 0; k < n; ++k) dot += iVectors[static_cast<size_t>(k * n + j)] * iVectors[static_cast<size_t>(k * n + l)];
      EXPECT_NEAR(dot, j == l ? 1.0 : 0.0, 1e-12);
    }
  }
}

void ExpectSortedValues(std::vector<double> iValues, const std::vector<double>& iExpected)
{
  std::sort(iValues.begin(), iValues.end());
  for (size_t k = 0; k < iExpected.size(); ++k) EXPECT_NEAR(iValues[k], iExpected[k], 1e-14) << k;
}

}  // namespace

TEST(KelMathNxNFullSymMatrix, JacobiKeepsColumnOrder)
{
  std::vector<double> values, vectors;
  // Diagonal: values in place, identity vectors, no sorting.
  const KelMathNxNFullSymMatrix diagonal = Make(3, {3, 0, 0, 0, 1, 0, 0, 0, 2});
  ASSERT_EQ(diagonal.EvalEigenVal(values, vectors), 1);
  EXPECT_EQ(values, (std::vector<double>{3, 1, 2}));
  EXPECT_EQ(vectors, (std::vector<double>{1, 0, 0, 0, 1, 0, 0, 0, 1}));

  // The smallest rotation leaves the larger eigenvalue 3 + sqrt(2) where the larger diagonal was.
  const KelMathNxNFullSymMatrix two = Make(2, {4, 1, 1, 2});
  ASSERT_EQ(two.EvalEigenVal(values, vectors), 1);
  EXPECT_NEAR(values[0], 3 + std::sqrt(2.0), 1e-14);
  EXPECT_NEAR(values[1], 3 - std::sqrt(2.0), 1e-14);
  ExpectEigenPairs(two, values, vectors);

  // Distinct eigenvalues 2 - sqrt(2), 2, 2 + sqrt(2).
  const KelMathNxNFullSymMatrix full = Make(3, {2, -1, 0, -1, 2, -1, 0, -1, 2});
  ASSERT_EQ(full.EvalEigenVal(values, vectors), 1);
  ExpectEigenPairs(full, values, vectors);
  ExpectSortedValues(values, {2 - std::sqrt(2.0), 2.0, 2 + std::sqrt(2.0)});
}

TEST(KelMathNxNFullSymMatrix, JacobiRepeatedAndDegenerate)
{
  std::vector<double> values, vectors;
  // Equal diagonal entries rotate by exactly pi/4: eigenvalue 1 in column 0, 3 in column 1.
  const KelMathNxNFullSymMatrix block = Make(3, {2, 1, 0, 1, 2, 0, 0, 0, 3});
  ASSERT_EQ(block.EvalEigenVal(values, vectors), 1);
  EXPECT_NEAR(values[0], 1.0, 1e-15);
  EXPECT_NEAR(values[1], 3.0, 1e-15);
  EXPECT_EQ(values[2], 3.0);
  EXPECT_NEAR(vectors[0], std::sqrt(0.5), 1e-15);
  EXPECT_NEAR(vectors[3], -std::sqrt(0.5), 1e-15);
  ExpectEigenPairs(block, values, vectors);

  // Eigenvalues 0, 3, 3 with no zero entry.
  const KelMathNxNFullSymMatrix repeated = Make(3, {2, -1, -1, -1, 2, -1, -1, -1, 2});
  ASSERT_EQ(repeated.EvalEigenVal(values, vectors), 1);
  ExpectEigenPairs(repeated, values, vectors);
  ExpectSortedValues(values, {0.0, 3.0, 3.0});

  // Empty and non-finite matrices refused, outputs untouched.
  const std::vector<double> before(values);
  EXPECT_EQ(KelMathNxNFullSymMatrix(0).EvalEigenVal(values, vectors), 0);
  KelMathNxNFullSymMatrix nan(2);
  nan.Set(0, 1, std::nan(""));
  EXPECT_EQ(nan.EvalEigenVal(values, vectors), 0);
  EXPECT_EQ(values, before);
  EXPECT_DEATH(nan.Get(2, 0), "AssertionFailed:iRow >= 0");
}
