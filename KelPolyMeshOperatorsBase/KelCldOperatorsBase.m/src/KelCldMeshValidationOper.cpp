#include "KelCldMeshValidationOper.h"

#include "KelCldPolygon.h"

KelImplementClass(KelCldMeshValidationOper, KelCldOper, KelMetaImplementation)

KelBoolean KelCldMeshValidationOper::Run(KelCldPolygon* iPolygon) { return iPolygon ? iPolygon->IsManifold() : FALSE; }
