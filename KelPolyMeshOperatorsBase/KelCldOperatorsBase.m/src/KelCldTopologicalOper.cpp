#include "KelCldTopologicalOper.h"

KelImplementClass(KelCldTopologicalOper, KelCldOper, KelMetaImplementation)
