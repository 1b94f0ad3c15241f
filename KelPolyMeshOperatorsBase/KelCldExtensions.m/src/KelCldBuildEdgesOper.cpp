#include "KelCldBuildEdgesOper.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "KelCldAttributeMgr.h"
#include "KelCldEdgeIterator.h"
#include "KelCldFieldData.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelICldEdgeIterator.h"
#include "KelICldMesh.h"

namespace {

// Edge lookup by the smaller vertex of the pair: every vertex heads a chain of the edges it
// is the smaller end of, newest first. Meshes number neighbouring vertices and triangles
// closely, so consecutive lookups stay in the same region of memory, where a hash of the
// pair would jump across a table far larger than the cache at every lookup.
// A chain stops growing at kMaxChain edges; the further edges of such a vertex (the centre
// of a large fan) go to a hash set, so that a lookup stays bounded.
class EdgeFinder {
public:
  // Vertices are 1..iNbPoints; at most iMaxEdges edges.
  EdgeFinder(int iNbPoints, int iMaxEdges) : _heads(static_cast<size_t>(iNbPoints) + 1, 0)
  {
    // Room for the most edges the input can have, so that growing never copies; the part a
    // mesh with shared edges does not use is never written.
    _links.reserve(static_cast<size_t>(iMaxEdges) + 1);
    _links.push_back(Link{0, 0});  // edge numbers start at 1
  }

  // The number of the edge joining the two vertices. An edge not met before gets the next
  // number (1, 2, ...) and oAdded is set.
  int FindOrAdd(int iV0, int iV1, bool& oAdded)
  {
    const int low = std::min(iV0, iV1);
    const int high = std::max(iV0, iV1);
    const int newEdge = static_cast<int>(_links.size());
    const bool chained = low > 0 && static_cast<size_t>(high) < _heads.size();
    int length = 0;
    oAdded = false;
    if (chained) {
      for (int e = _heads[static_cast<size_t>(low)]; e; e = _links[static_cast<size_t>(e)].next, ++length)
        if (_links[static_cast<size_t>(e)].high == high) return e;
    }
    if (!chained || length >= kMaxChain) {
      const uint64_t key = (uint64_t(uint32_t(low)) << 32) | uint32_t(high);
      const auto found = _overflow.emplace(key, newEdge);
      if (!found.second) return found.first->second;
      _links.push_back(Link{0, 0});  // in no chain: the slot only keeps the numbering
    } else {
      _links.push_back(Link{high, _heads[static_cast<size_t>(low)]});
      _heads[static_cast<size_t>(low)] = newEdge;
    }
    oAdded = true;
    return newEdge;
  }

private:
  static constexpr int kMaxChain = 32;
  struct Link {
    int high;  // the larger vertex of the edge
    int next;  // next edge of the chain, 0 at its end
  };

  std::vector<int> _heads;   // per vertex: its newest chained edge, 0 for none
  std::vector<Link> _links;  // per edge number
  std::unordered_map<uint64_t, int> _overflow;  // (low, high) -> edge number
};

}  // namespace

KelCldBuildEdgesOper::KelCldBuildEdgesOper() : _uniqueEdges(new KelListValCldBarRecord()) {}

KelCldBuildEdgesOper::~KelCldBuildEdgesOper()
{
  delete _uniqueEdges;
  _uniqueEdges = nullptr;
  if (_edgeAttributeMgr) _edgeAttributeMgr->Release();
  if (_edgeFieldData) _edgeFieldData->Release();
  _edgeAttributeMgr = nullptr;
  _edgeFieldData = nullptr;
  if (_polygon) _polygon->Release();
  _polygon = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Building

void KelCldBuildEdgesOper::Build(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return;
  const int nbTriangles = iPolygon->GetNbTriangles(1);
  KelRawCollint triangles(nbTriangles);
  for (int t = 1; t <= nbTriangles; ++t)
    if (iPolygon->IsTriangleValid(t)) triangles.Append(t);
  BuildFromTriangles(iPolygon, triangles);
}

void KelCldBuildEdgesOper::BuildFromVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices)
{
  if (!iPolygon) return;
  KelICldMesh* mesh = nullptr;
  if (FAILED(iPolygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh))) || !mesh) return;
  KelRawCollint triangles;
  mesh->GetTriangles(iVertices, triangles);
  BuildFromTriangles(iPolygon, triangles);
  mesh->Release();
}

void KelCldBuildEdgesOper::BuildFromTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles)
{
  if (!iPolygon) return;
  iPolygon->AddRef();
  if (_polygon) _polygon->Release();
  _polygon = iPolygon;

  const int nbPositions = iTriangles.Size();
  _uniqueEdges->RemoveAll();
  _triangleEdges.RemoveAll(1);
  _triangleEdges.Reserve(3 * nbPositions);

  // One pass: number the edges in order of first appearance. An edge's first triangle is the
  // one that creates it; any later one overwrites triangle 1, so the last of them stays.
  EdgeFinder finder(iPolygon->GetNbPoints(1), 3 * nbPositions);
  const int* const triangles = iTriangles.Data();
  for (int i = 0; i < nbPositions; ++i) {
    const int t = triangles[i];
    int v[3];
    unsigned char orientation = 0;
    // Only the vertices are needed: this read does not wait on the polygon's neighbours.
    if (!iPolygon->GetTriangleVertices(t, v, orientation)) {
      for (int k = 0; k < 3; ++k) _triangleEdges.Append(0);
      continue;
    }
    for (int k = 0; k < 3; ++k) {
      const int a = v[k];
      const int b = v[k == 2 ? 0 : k + 1];
      bool added = false;
      const int edge = finder.FindOrAdd(a, b, added);
      _triangleEdges.Append(edge);
      if (added) {
        CldBarRecord record(a, b);
        record.SetEdgeIndex(edge);
        record.SetTriangle0(t);
        _uniqueEdges->Append(record);
      } else {
        (*_uniqueEdges)[edge].SetTriangle1(t);
      }
    }
  }

  _nbLiveEdges = _uniqueEdges->Size();
}

// ---------------------------------------------------------------------------------------------
// Queries

int KelCldBuildEdgesOper::GetNbEdges(unsigned char iAll) const
{
  KelAssert(_uniqueEdges);
  return iAll ? _uniqueEdges->Size() : _nbLiveEdges;
}

void KelCldBuildEdgesOper::GetEdge(int iEdgeIndex, int& oVertex0, int& oVertex1) const
{
  KelAssert(_uniqueEdges);
  KelAssert(iEdgeIndex > 0 && iEdgeIndex <= _uniqueEdges->Size());
  const CldBarRecord& record = (*_uniqueEdges)[iEdgeIndex];
  oVertex0 = record.GetVertex0();
  oVertex1 = record.GetVertex1();
}

void KelCldBuildEdgesOper::GetEdge(int iEdgeIndex, int& oVertex0, int& oVertex1, int& oTriangle0,
                                   int& oTriangle1) const
{
  KelAssert(_uniqueEdges);
  KelAssert(iEdgeIndex > 0 && iEdgeIndex <= _uniqueEdges->Size());
  const CldBarRecord& record = (*_uniqueEdges)[iEdgeIndex];
  oVertex0 = record.GetVertex0();
  oVertex1 = record.GetVertex1();
  oTriangle0 = record.GetTriangle0();
  oTriangle1 = record.GetTriangle1();
}

void KelCldBuildEdgesOper::GetTriangleEdges(int iPosition, int& oEdge0, int& oEdge1, int& oEdge2) const
{
  KelAssert(_uniqueEdges);
  // Wide enough that a huge position is refused rather than wrapped.
  const long long tmpIndex = 3LL * iPosition;
  KelAssert(tmpIndex > 0 && tmpIndex <= _triangleEdges.Size());
  const int last = static_cast<int>(tmpIndex);
  oEdge0 = _triangleEdges[last - 2];
  oEdge1 = _triangleEdges[last - 1];
  oEdge2 = _triangleEdges[last];
}

KelBoolean KelCldBuildEdgesOper::EdgesAreIdentical(const int iNoEdge1, const int iNoEdge2) const
{
  KelAssert(_uniqueEdges);
  KelAssert(iNoEdge1 > 0 && iNoEdge1 <= _uniqueEdges->Size() && iNoEdge2 > 0 && iNoEdge2 <= _uniqueEdges->Size());
  return (*_uniqueEdges)[iNoEdge1] == (*_uniqueEdges)[iNoEdge2] ? TRUE : FALSE;
}

KelBoolean KelCldBuildEdgesOper::IsValidEdge(const int iNoEdge) const
{
  KelAssert(_uniqueEdges);
  KelAssert(iNoEdge > 0 && iNoEdge <= _uniqueEdges->Size());
  return (*_uniqueEdges)[iNoEdge].GetVertex0() > 0 ? TRUE : FALSE;
}

KelBoolean KelCldBuildEdgesOper::GetVertices(KelRawCollint& oVertices) const
{
  KelAssert(_uniqueEdges);
  if (!_polygon) return FALSE;
  const int nbPoints = _polygon->GetNbPoints(1);
  std::unique_ptr<unsigned char[]> marks(new (std::nothrow) unsigned char[static_cast<size_t>(nbPoints) + 1]());
  if (!marks) return FALSE;
  int low = nbPoints + 1;
  int high = 0;
  const int nbSlots = _uniqueEdges->Size();
  for (int e = 1; e <= nbSlots; ++e) {
    const CldBarRecord& record = (*_uniqueEdges)[e];
    const int ends[2] = {record.GetVertex0(), record.GetVertex1()};
    if (ends[0] == 0 || ends[1] == 0) continue;
    for (const int v : ends) {
      // An edge rewired beyond the polygon's points has no mark to set.
      if (v < 1 || v > nbPoints || marks[v]) continue;
      marks[v] = 1;
      if (v < low) low = v;
      if (v > high) high = v;
    }
  }
  oVertices.RemoveAll(1);
  for (int v = low; v <= high; ++v)
    if (marks[v]) oVertices.Append(v);
  return TRUE;
}

KelBoolean KelCldBuildEdgesOper::GetTriangles(KelRawCollint&) const
{
  KelAssert(_uniqueEdges);
  return FALSE;
}

HRESULT KelCldBuildEdgesOper::GetEdgeIterator(KelICldEdgeIterator** oIterator)
{
  KelAssert(_uniqueEdges);
  if (!oIterator) return E_FAIL;
  if (*oIterator) {
    (*oIterator)->Release();
    *oIterator = nullptr;
  }
  KelCldEdgeIterator* iterator = new (std::nothrow) KelCldEdgeIterator(this);
  if (!iterator) return E_FAIL;
  const HRESULT status = iterator->QueryInterface(IID_KelICldEdgeIterator, reinterpret_cast<void**>(oIterator));
  iterator->Release();
  return status;
}

// ---------------------------------------------------------------------------------------------
// Editing

KelBoolean KelCldBuildEdgesOper::RemoveEdge(const int iNoEdge)
{
  KelAssert(iNoEdge > 0 && iNoEdge <= _uniqueEdges->Size());
  (*_uniqueEdges)[iNoEdge].SetVertices(0, 0);
  --_nbLiveEdges;
  return TRUE;
}

KelBoolean KelCldBuildEdgesOper::UpdateEdge(const int iNoEdge, const int iV0, const int iV1)
{
  KelAssert(iNoEdge > 0 && iNoEdge <= _uniqueEdges->Size());
  (*_uniqueEdges)[iNoEdge].SetVertices(iV0, iV1);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Edge attributes

void KelCldBuildEdgesOper::CreateEdgeAttributeStore()
{
  KelAssert(!_edgeAttributeMgr && !_edgeFieldData);
  _edgeAttributeMgr = new KelCldAttributeMgr();
  _edgeFieldData = new KelCldFieldData();
}

KelBoolean KelCldBuildEdgesOper::SetSizeOfEdgeAttributesField(int iSize)
{
  if (!_edgeAttributeMgr) CreateEdgeAttributeStore();
  KelAssert(_edgeFieldData);
  if (iSize < _edgeAttributeMgr->GetMinimumSizeOfField()) return FALSE;
  return _edgeFieldData->SetSizeOfField(iSize);
}

KelBoolean KelCldBuildEdgesOper::DefineEdgeAttribute(int iAttribute, int iSize)
{
  if (!_edgeAttributeMgr) CreateEdgeAttributeStore();
  KelAssert(_edgeFieldData);
  if (!_edgeAttributeMgr->Register(iAttribute, iSize)) return FALSE;
  const int minimum = _edgeAttributeMgr->GetMinimumSizeOfField();
  if (_edgeFieldData->GetSizeOfField() < minimum && !_edgeFieldData->SetSizeOfField(minimum)) {
    _edgeAttributeMgr->Unregister(iAttribute);
    return FALSE;
  }
  return TRUE;
}

KelBoolean KelCldBuildEdgesOper::UndefineEdgeAttribute(int iAttribute)
{
  if (!_edgeAttributeMgr) return FALSE;
  return _edgeAttributeMgr->Unregister(iAttribute);
}

KelBoolean KelCldBuildEdgesOper::SetEdgeAttribute(int iNoEdge, int iAttribute, const char* iValue)
{
  if (!_edgeAttributeMgr) return FALSE;
  KelAssert(_edgeFieldData);
  KelCldAttribute* field = GetEdgesRecordAttribute(iNoEdge);
  if (!field) {
    field = _edgeFieldData->AddField();
    if (!field) return FALSE;
    SetEdgesRecordAttribute(iNoEdge, field);
  }
  return _edgeAttributeMgr->SetAttributeData(_edgeFieldData->GetField(field), iAttribute, iValue);
}

KelBoolean KelCldBuildEdgesOper::GetEdgeAttribute(int iNoEdge, int iAttribute, char* oValue) const
{
  if (!_edgeAttributeMgr) return FALSE;
  KelAssert(_edgeFieldData);
  KelCldAttribute* const field = GetEdgesRecordAttribute(iNoEdge);
  if (!field) return FALSE;
  return _edgeAttributeMgr->GetAttributeData(_edgeFieldData->GetField(field), iAttribute, oValue);
}

KelCldAttribute* KelCldBuildEdgesOper::GetEdgesRecordAttribute(const int iNoEdge) const
{
  KelAssert(iNoEdge > 0 && iNoEdge <= _uniqueEdges->Size());
  return (*_uniqueEdges)[iNoEdge].GetAttribute();
}

void KelCldBuildEdgesOper::SetEdgesRecordAttribute(const int iNoEdge, KelCldAttribute* iAttribute)
{
  KelAssert(iNoEdge > 0 && iNoEdge <= _uniqueEdges->Size());
  (*_uniqueEdges)[iNoEdge].SetAttribute(iAttribute);
}
