#ifndef KelCldMeshCurveGroupOper_h
#define KelCldMeshCurveGroupOper_h
// Joins mesh curves that meet end to end into longer curves.
//
// - The output list is emptied, then receives new curves (the caller owns them); the input
//   curves are left as they are.
// - Two open curves on the same polygon are joined (KelCldMeshCurve::Merge) when an end of one
//   equals an end of the other under mesh-point equality; joining repeats until no two curves
//   meet. A curve that becomes a closed loop takes no further part. Empty and null input
//   curves are skipped.
// - Curves are joined in list order: the first curve absorbs every later curve it meets before
//   the second is considered.

#include "KelBaseUnknown.h"

class KelCldMeshCurve;
class KelListPtrKelCldMeshCurve;

class KelCldMeshCurveGroupOper : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldMeshCurveGroupOper() = default;
  ~KelCldMeshCurveGroupOper() override = default;
  KelCldMeshCurveGroupOper(const KelCldMeshCurveGroupOper&) = delete;
  KelCldMeshCurveGroupOper& operator=(const KelCldMeshCurveGroupOper&) = delete;

  // Returns the number of output curves.
  int Run(const KelListPtrKelCldMeshCurve& iCurves, KelListPtrKelCldMeshCurve& oCurves) const;

  // Both curves are open, on the same polygon, and an end of one equals an end of the other.
  static int MeetEndToEnd(const KelCldMeshCurve& iCurve0, const KelCldMeshCurve& iCurve1);
};

#endif
