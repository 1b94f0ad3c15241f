#ifndef KelCldTopologicalOper_h
#define KelCldTopologicalOper_h
// Base of the operators that change the triangulation.

#include "KelCldOper.h"

class KelCldTopologicalOper : public KelCldOper {
  KelDeclareClass

public:
  KelCldTopologicalOper() = default;
};

#endif
