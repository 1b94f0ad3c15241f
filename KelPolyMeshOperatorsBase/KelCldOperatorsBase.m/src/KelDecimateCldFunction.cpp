#include "KelDecimateCldFunction.h"

#include <memory>
#include <new>
#include <ostream>

#include "KelCldEdgeCollapseOperWithAttribut.h"
#include "KelCldPolygon.h"
#include "KelQvmOutput.h"

namespace {

struct Releaser {
  void operator()(KelBaseUnknown* iObject) const { iObject->Release(); }
};

}  // namespace

int KelDecimateCldFunction(KelCldPolygon* iPolygon, int iTriangleCount, KelCldDecimateOper::DecimationType iType,
                           KelCldDecimateOper::StoppingCriterion iCriterion, double iChordalDeviation,
                           double iChordalDeviationForFreeEdges)
{
  if (!iPolygon) return -1;
  // Both objects go on every path, the early ones included.
  std::unique_ptr<KelCldEdgeCollapseOperWithAttribut, Releaser> contraction(
      new (std::nothrow) KelCldEdgeCollapseOperWithAttribut(iPolygon));
  if (!contraction) return -1;
  std::unique_ptr<KelCldDecimateOper, Releaser> decimate(new (std::nothrow) KelCldDecimateOper(contraction.get()));
  if (!decimate) return -1;
  std::ostream& out = KelQvmOutput::GetOut();
  out << "Nb triangles avant decimation : " << iPolygon->GetNbTriangles(1) << std::endl;
  decimate->SetDecimationType(iType);
  decimate->SetStoppingCriterion(iCriterion);
  if (iChordalDeviationForFreeEdges > 0.0) decimate->SetChordalDeviationForFreeEdges(iChordalDeviationForFreeEdges);
  decimate->SetChordalDeviation(iChordalDeviation);
  decimate->SetTriangleCount(iTriangleCount);
  const KelBoolean result = decimate->Run(iPolygon);
  if (result) {
    const int count = iPolygon->GetNbTriangles(0);
    out << "Nb triangles apres decimation : " << count << std::endl;
    return count;
  }
  out << "Pb dans la decimation : " << int(result) << std::endl;
  return -2;
}
