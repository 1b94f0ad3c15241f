#include "KelCurve.h"

KelImplementClassIn(KelCurve, KelBaseUnknown, KelMetaImplementation, "KelPlatform")
