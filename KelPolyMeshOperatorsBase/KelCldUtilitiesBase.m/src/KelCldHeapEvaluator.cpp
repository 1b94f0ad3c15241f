#include "KelCldHeapEvaluator.h"

KelImplementClass(KelCldHeapEvaluator, KelBaseUnknown, KelMetaImplementation)

KelCldHeapEvaluator::~KelCldHeapEvaluator() = default;
