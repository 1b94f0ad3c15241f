#ifndef KelCldBarycentric_h
#define KelCldBarycentric_h
// Barycentric coordinates of a point with respect to a segment, a triangle or a tetrahedron.
//
// - Inside the element every weight is non-negative and the weights sum to 1; outside, the
//   weights of the corners the point has moved away from turn negative. A point off the
//   segment's line or the triangle's plane gets the weights of its projection only
//   approximately: weights are ratios of lengths, areas and volumes.
// - Every overload returns true, or false with its outputs untouched when the element is
//   degenerate (length, area or volume below KelEpsilon). The tetrahedron's volume is the one
//   exception: it is written in any case.

class KelMathPoint;

class KelCldBarycentric {
public:
  KelCldBarycentric() = default;
  ~KelCldBarycentric() = default;

  // Segment P0-P1.
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iX,
                                            double& oW0, double& oW1, double& oLength);
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iX,
                                            double& oW0, double& oW1);

  // Triangle P0 P1 P2.
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                            const KelMathPoint& iX, double& oW0, double& oW1, double& oW2,
                                            double& oArea);
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                            const KelMathPoint& iX, double& oW0, double& oW1, double& oW2);
  // The three weights as x, y and z.
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                            const KelMathPoint& iX, KelMathPoint& oWeights);

  // Tetrahedron P0 P1 P2 P3.
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                            const KelMathPoint& iP3, const KelMathPoint& iX, double& oW0, double& oW1,
                                            double& oW2, double& oW3, double& oVolume);
  static bool ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                            const KelMathPoint& iP3, const KelMathPoint& iX, double& oW0, double& oW1,
                                            double& oW2, double& oW3);
};

#endif
