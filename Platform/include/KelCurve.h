#ifndef KelCurve_h
#define KelCurve_h
// Base of the modeller's curves: a reference-counted object that lists of curves hold and
// release. The geometry of a concrete curve lives in its subclasses.

#include "KelBaseUnknown.h"

class KelCurve : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCurve() = default;
  ~KelCurve() override = default;
  // A curve is shared by reference, never copied.
  KelCurve(const KelCurve&) = delete;
  KelCurve& operator=(const KelCurve&) = delete;
};

#endif
