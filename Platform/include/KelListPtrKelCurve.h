#ifndef KelListPtrKelCurve_h
#define KelListPtrKelCurve_h
// 1-based list of curve pointers. The list holds no reference: whoever fills it decides who
// releases the curves (see KelCldUtil::ReleaseObjects).

#include "KelCurve.h"
#include "KelListPtr.h"

typedef KelListPtr<KelCurve> KelListPtrKelCurve;

#endif
