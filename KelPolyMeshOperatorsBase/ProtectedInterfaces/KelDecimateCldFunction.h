#ifndef KelDecimateCldFunction_h
#define KelDecimateCldFunction_h
// Plain entry point: decimates a whole polygon (contraction with source-edge records) and
// writes the triangle counts before and after to the modeller's output stream. Returns the
// new triangle count, -1 for a null polygon or a failed allocation, -2 when the run fails.
// The chordal deviation for free edges is applied only when positive.

#include "KelCldDecimateOper.h"

class KelCldPolygon;

int KelDecimateCldFunction(KelCldPolygon* iPolygon, int iTriangleCount, KelCldDecimateOper::DecimationType iType,
                           KelCldDecimateOper::StoppingCriterion iCriterion, double iChordalDeviation,
                           double iChordalDeviationForFreeEdges);

#endif
