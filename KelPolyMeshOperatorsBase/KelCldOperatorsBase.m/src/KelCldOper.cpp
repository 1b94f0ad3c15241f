#include "KelCldOper.h"

#include <memory>
#include <new>

#include "KelCldPolygon.h"
#include "KelFuzCallback.h"
#include "KelICldMesh.h"

KelImplementClass(KelCldOper, KelBaseUnknown, KelMetaImplementation)

namespace {

// The polygon's mesh object for the duration of one call.
struct MeshHandle {
  explicit MeshHandle(KelCldPolygon* iPolygon)
  {
    if (FAILED(iPolygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh)))) mesh = nullptr;
  }
  ~MeshHandle()
  {
    if (mesh) mesh->Release();
  }
  MeshHandle(const MeshHandle&) = delete;
  MeshHandle& operator=(const MeshHandle&) = delete;
  KelICldMesh* mesh = nullptr;
};

// Sets a flag for the duration of a nested call.
struct FlagScope {
  explicit FlagScope(unsigned char& ioFlag) : flag(ioFlag) { flag = 1; }
  ~FlagScope() { flag = 0; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  unsigned char& flag;
};

}  // namespace

KelCldOper::KelCldOper() : _forwardingToTriangles(0), _forwardingToVertices(0), _fallback(0), _callback(nullptr) {}

KelCldOper::KelCldOper(const KelCldOper& iOther)
    : KelBaseUnknown(iOther), _forwardingToTriangles(0), _forwardingToVertices(0), _fallback(0),
      _callback(iOther._callback)
{
  if (_callback) _callback->AddRef();
}

KelCldOper& KelCldOper::operator=(const KelCldOper& iOther)
{
  if (this != &iOther) {
    SetCallback(iOther._callback);
    _forwardingToTriangles = _forwardingToVertices = _fallback = 0;
  }
  return *this;
}

KelCldOper::~KelCldOper()
{
  if (_callback) _callback->Release();
  _callback = nullptr;
}

void KelCldOper::SetCallback(KelFuzCallback* iCallback)
{
  // Reference first: iCallback may be the one held, whose last reference we would drop.
  if (iCallback) iCallback->AddRef();
  if (_callback) _callback->Release();
  _callback = iCallback;
}

KelBoolean KelCldOper::ReportProgress(double iDone, double iTotal) const
{
  return _callback ? _callback->SetProgress(iDone, iTotal) : TRUE;
}

KelBoolean KelCldOper::ReportProgress(int iPercent) const
{
  return _callback ? _callback->SetProgress(iPercent) : TRUE;
}

KelBoolean KelCldOper::Run(KelCldPolygon*) { return FALSE; }

KelBoolean KelCldOper::Run(KelCldPolygon*, const int, const int*) { return FALSE; }

void KelCldOper::SetInputGeometry(KelGeometry*) {}

KelBoolean KelCldOper::RunOnSelectedVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices)
{
  _fallback = 0;
  if (!iPolygon || iVertices.Size() == 0) return FALSE;
  KelBoolean result = FALSE;
  if (_forwardingToVertices) {
    // Called back by the base triangle entry: the derived class overrides neither selection.
    _fallback = 1;
  } else {
    MeshHandle handle(iPolygon);
    if (!handle.mesh) return FALSE;
    KelRawCollint triangles;
    handle.mesh->GetTriangles(iVertices, triangles);
    FlagScope forwarding(_forwardingToTriangles);
    result = RunOnSelectedTriangles(iPolygon, triangles);
  }
  if (!_fallback) return result;

  const int count = iVertices.Size();
  std::unique_ptr<int[]> vertices(new (std::nothrow) int[count]);
  if (!vertices) return FALSE;
  for (int i = 0; i < count; ++i) vertices[i] = iVertices[i + 1];
  return Run(iPolygon, count, vertices.get());
}

KelBoolean KelCldOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles)
{
  _fallback = 0;
  if (!iPolygon) return FALSE;
  if (_forwardingToTriangles) {
    _fallback = 1;
    return FALSE;
  }
  MeshHandle handle(iPolygon);
  if (!handle.mesh) return FALSE;
  // The mesh's conversion takes valid triangles only; removed or unknown numbers select nothing.
  KelRawCollint valid;
  for (int i = 1; i <= iTriangles.Size(); ++i)
    if (iPolygon->IsTriangleValid(iTriangles[i])) valid.Append(iTriangles[i]);
  KelRawCollint vertices;
  handle.mesh->GetVertices(valid, vertices);
  FlagScope forwarding(_forwardingToVertices);
  return RunOnSelectedVertices(iPolygon, vertices);
}

KelBoolean KelCldOper::RunOnVertexRange(KelCldPolygon* iPolygon, const int iFirst, const int iEnd)
{
  if (!iPolygon) return FALSE;
  const int n = iPolygon->GetNbPoints(1);
  KelRawCollint vertices;
  if (iFirst >= 1 && iFirst <= n && iFirst <= iEnd && iEnd <= n && iFirst != iEnd)
    for (int v = iFirst; v < iEnd; ++v)
      if (iPolygon->IsAVertex(v)) vertices.Append(v);
  return RunOnSelectedVertices(iPolygon, vertices);
}

KelBoolean KelCldOper::RunOnTriangleRange(KelCldPolygon* iPolygon, const int iFirst, const int iEnd)
{
  if (!iPolygon) return FALSE;
  const int n = iPolygon->GetNbTriangles(1);
  KelRawCollint triangles;
  if (iFirst >= 1 && iFirst <= n && iFirst <= iEnd && iEnd <= n && iFirst != iEnd)
    for (int t = iFirst; t < iEnd; ++t)
      if (iPolygon->IsTriangleValid(t)) triangles.Append(t);
  return RunOnSelectedTriangles(iPolygon, triangles);
}
