#include "KelCldDecimateOper.h"

#include <algorithm>
#include <memory>

#include "KelCldEdgeCollapseELength.h"
#include "KelCldEdgeCollapseOper.h"
#include "KelCldEdgeCollapseQMetric.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelKelCldOperatorsBaseTrace.h"
#include "KelMathConstants.h"
#include "KelTimer.h"

KelImplementClass(KelCldDecimateOper, KelCldTopologicalOper, KelMetaImplementation)

namespace {

const KelTrace& Trace() { return KelKelCldOperatorsBaseTrace; }

}  // namespace

KelCldDecimateOper::KelCldDecimateOper(KelCldEdgeCollapseOper* iContraction)
    : _chordalDeviationForFreeEdges(KelMathInfinite), _contraction(iContraction)
{
  if (_contraction) _contraction->AddRef();
}

KelCldDecimateOper::~KelCldDecimateOper()
{
  KelAssertText(_VertexFlags == NULL, "_VertexFlags == NULL");
  if (_contraction) _contraction->Release();
}

KelBoolean KelCldDecimateOper::Run(KelCldPolygon* iPolygon)
{
  _currentTriangleCount = iPolygon ? iPolygon->GetNbTriangles(0) : 0;
  const KelBoolean result = Decimate(iPolygon, nullptr);
  _currentTriangleCount = 0;
  return result ? TRUE : FALSE;
}

KelBoolean KelCldDecimateOper::RunOnSelectedVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices)
{
  return Decimate(iPolygon, &iVertices);
}

KelBoolean KelCldDecimateOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles)
{
  KelRawCollint triangles;
  return RunOnSelectedTriangles(iPolygon, iTriangles, triangles);
}

KelBoolean KelCldDecimateOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                                      KelRawCollint& oTriangles)
{
  if (!iPolygon) return FALSE;
  KelCldPolygon* const iCldPolygon = iPolygon;
  _currentTriangleCount = iTriangles.Size();
  const int nbPoints = iCldPolygon->GetNbPoints(1);
  std::unique_ptr<unsigned char[]> flags(new unsigned char[static_cast<size_t>(nbPoints) + 1]());
  KelRawCollint vertices;
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    const int noTriangle = iTriangles[i];
    KelAssertText(iCldPolygon->IsTriangleValid(noTriangle), "iCldPolygon->IsTriangleValid (noTriangle)");
    int v[3], n[3];
    iCldPolygon->GetTriangle(noTriangle, v, n);
    for (const int vertex : v) flags[static_cast<size_t>(vertex)] = 1;
  }
  for (int v = 1; v <= nbPoints; ++v)
    if (flags[static_cast<size_t>(v)]) vertices.Append(v);
  KelAssertText(_VertexFlags == NULL, "_VertexFlags == NULL");
  _VertexFlags = flags.release();
  _vertexFlagsSize = nbPoints + 1;

  const KelBoolean result = Decimate(iPolygon, &vertices);

  oTriangles.RemoveAll();
  for (int t = 1; t <= iCldPolygon->GetNbTriangles(1); ++t) {
    int v[3], n[3];
    if (!iCldPolygon->GetTriangle(t, v, n)) continue;
    bool inRegion = true;
    for (const int vertex : v) {
      KelAssertText(vertex < _vertexFlagsSize, "0");
      inRegion = inRegion && _VertexFlags[vertex] == 1;
    }
    if (inRegion) oTriangles.Append(t);
  }
  delete[] _VertexFlags;
  _VertexFlags = nullptr;
  _vertexFlagsSize = 0;
  _currentTriangleCount = 0;
  return result;
}

KelBoolean KelCldDecimateOper::Decimate(KelCldPolygon* iPolygon, const KelRawCollint* iVertices)
{
  if (!iPolygon) return FALSE;
  const int n = iVertices ? iVertices->Size() : iPolygon->GetNbVertices();
  if (n == 0) return TRUE;
  KelTimer timer;
  timer.Start();
  const bool builtHere = !iPolygon->IsOptimized();
  if (builtHere) iPolygon->Optimize();

  std::unique_ptr<KelCldEdgeCollapseBase, void (*)(KelCldEdgeCollapseBase*)> queue(
      _DecimationType == EdgeLengthDecimationType
          ? static_cast<KelCldEdgeCollapseBase*>(new KelCldEdgeCollapseELength(_contraction))
          : static_cast<KelCldEdgeCollapseBase*>(new KelCldEdgeCollapseQMetric(_contraction)),
      [](KelCldEdgeCollapseBase* iQueue) { iQueue->Release(); });
  queue->SetFreezeBoundary(_freezeBoundary);
  KelBoolean result = (iVertices ? queue->SetFromVertexList(iPolygon, *iVertices) : queue->Set(iPolygon)) ? TRUE : FALSE;
  queue->SetChordalDeviationForFreeEdges(_chordalDeviationForFreeEdges);
  timer.Stop();
  if (Trace().IsActive())
    Trace().TraPrintf("KelCldDecimateOper::Run - Time initialization (seconds): %g\n", timer.GetElapsed() / 1000.0);
  timer.Reset();
  timer.Start();

  if (result) {
    int nbCollapses = 0, failures = 0, maxFailures = 0;
    double remaining = 100.0;
    // One step; counts the collapse or the refusal.
    auto step = [&](int& oRemovedTriangles) {
      int removedVertex = 0;
      oRemovedTriangles = queue->Step(removedVertex);
      if (oRemovedTriangles) {
        ++nbCollapses;
        if (_VertexFlags && removedVertex > 0 && removedVertex < _vertexFlagsSize) _VertexFlags[removedVertex] = 0;
        failures = 0;
      } else {
        maxFailures = std::max(maxFailures, ++failures);
      }
      return oRemovedTriangles != 0;
    };
    switch (_stoppingCriterion) {
      case PercentageStoppingCriterion: {
        const int planned = std::min(static_cast<int>(_percentage * n / 100.0), n);
        if (Trace().IsActive()) Trace().TraPrintf("KelCldDecimateOper::Run - Number of vertices to remove: %d\n", planned);
        int removed = 0;
        while (removed < planned && failures <= n) {
          int triangles = 0;
          if (!step(triangles)) continue;
          ++removed;
          if (GetCallback() && !ReportProgress(double(removed), double(planned))) {
            result = FALSE;
            break;
          }
        }
        remaining = (1.0 - double(removed) / n) * 100.0;
        break;
      }
      case TriangleCountStoppingCriterion: {
        const int current = _currentTriangleCount;
        const int planned = std::max(0, std::min(current - _targetTriangleCount, current));
        int removed = 0;
        while (removed < planned && failures <= current) {
          int triangles = 0;
          if (!step(triangles)) continue;
          removed += triangles;
          if (GetCallback() && !ReportProgress(double(removed), double(planned))) {
            result = FALSE;
            break;
          }
        }
        if (current) remaining = (1.0 - double(removed) / current) * 100.0;
        break;
      }
      case ChordalDeviationStoppingCriterion:
      case EdgeLengthStoppingCriterion: {
        const bool chordal = _stoppingCriterion == ChordalDeviationStoppingCriterion;
        if (chordal) {
          KelAssertText(_DecimationType == ChordalDeviationDecimationType,
                        "_DecimationType == ChordalDeviationDecimationType");
        } else {
          KelAssertText(_DecimationType == EdgeLengthDecimationType, "_DecimationType == EdgeLengthDecimationType");
        }
        const double threshold = chordal ? _chordalDeviation * _chordalDeviation : _edgeLength;
        double cost = queue->GetMinimalCost();
        while (cost < threshold) {
          int triangles = 0;
          step(triangles);
          cost = queue->GetMinimalCost();
          if (GetCallback() && !ReportProgress(cost, threshold)) {
            result = FALSE;
            break;
          }
        }
        break;
      }
      default:
        break;
    }
    if (Trace().IsActive()) {
      Trace().TraPrintf("KelCldDecimateOper::Run - Number of collapses: %d\n", nbCollapses);
      Trace().TraPrintf("KelCldDecimateOper::Run - Maximum failures per collapse: %d\n", maxFailures);
      Trace().TraPrintf("KelCldDecimateOper::Run - Decimation percentage: %g\n", remaining);
    }
    if (iPolygon->GetNbVertices() == 0) result = FALSE;
  }

  queue.reset();
  timer.Stop();
  if (Trace().IsActive())
    Trace().TraPrintf("KelCldDecimateOper::Run - Time iterations (seconds): %g\n", timer.GetElapsed() / 1000.0);
  if (builtHere) iPolygon->Unoptimize();
  iPolygon->NotifyModified();
  if (Trace().IsActive()) Trace().TraPrint("KelCldDecimateOper::Run - Done.");
  return result;
}
