#include "KelBenchMeshes.h"

#include <filesystem>
#include <map>

#include "KelCldBuildEdgesOper.h"
#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#ifdef KEL_BENCH_HAS_OBJ_WRITER
#include "KelObjWriter.h"
#endif

void KelBenchPolygonReleaser::operator()(KelCldPolygon* iPolygon) const { iPolygon->Release(); }

KelCldPolygon* KelBenchCopy(const KelCldPolygon& iPolygon)
{
  KelCldPolygon* copy = KelCldPolygon::Create();
  copy->Reserve(iPolygon.GetNbPoints(1), iPolygon.GetNbTriangles(0));
  float xyz[3];
  for (int p = 1; p <= iPolygon.GetNbPoints(1); ++p) {
    iPolygon.GetPoint(p, xyz);
    copy->AddPoint(xyz);
  }
  int v[3], n[3];
  for (int t = 1; t <= iPolygon.GetNbTriangles(1); ++t)
    if (iPolygon.GetTriangle(t, v, n)) copy->AddTriangle(v);
  return copy;
}

KelCldPolygon* KelBenchSubdivide(KelCldPolygon& iPolygon)
{
  KelCldBuildEdgesOper table;
  table.Build(&iPolygon);
  const int nbPoints = iPolygon.GetNbPoints(1);
  const int nbEdges = table.GetNbEdges(TRUE);
  KelCldPolygon* result = KelCldPolygon::Create();
  result->Reserve(nbPoints + nbEdges, 4 * iPolygon.GetNbTriangles(0));
  float a[3], b[3];
  for (int p = 1; p <= nbPoints; ++p) {
    iPolygon.GetPoint(p, a);
    result->AddPoint(a);
  }
  for (int e = 1; e <= nbEdges; ++e) {
    int v0, v1;
    table.GetEdge(e, v0, v1);
    iPolygon.GetPoint(v0, a);
    iPolygon.GetPoint(v1, b);
    result->AddPoint(0.5f * (a[0] + b[0]), 0.5f * (a[1] + b[1]), 0.5f * (a[2] + b[2]));
  }
  int position = 0;
  for (int t = 1; t <= iPolygon.GetNbTriangles(1); ++t) {
    if (!iPolygon.IsTriangleValid(t)) continue;
    int v[3], n[3], e[3];
    iPolygon.GetTriangle(t, v, n);
    table.GetTriangleEdges(++position, e[0], e[1], e[2]);
    const int ab = nbPoints + e[0], bc = nbPoints + e[1], ca = nbPoints + e[2];
    result->AddTriangle(v[0], ab, ca);
    result->AddTriangle(ab, v[1], bc);
    result->AddTriangle(ca, bc, v[2]);
    result->AddTriangle(ab, bc, ca);
  }
  result->EndInsertion();
  return result;
}

KelCldPolygon* KelBenchSharedMesh(const std::string& iName)
{
  static std::map<std::string, KelBenchPolygonPtr> meshes;
  auto found = meshes.find(iName);
  if (found != meshes.end()) return found->second.get();
  KelCldObjModel model;
  KelBenchPolygonPtr read(KelCldPolygon::Create());
  const std::string path = std::string(KEL_SHARED_DATA_DIR) + "/" + iName;
  if (!model.Read(path.c_str()) || !model.GetPolyMesh(read.get())) read.reset();
  return meshes.emplace(iName, std::move(read)).first->second.get();
}

KelCldPolygon* KelBenchSubdividedMesh(const std::string& iName)
{
  static std::map<std::string, KelBenchPolygonPtr> meshes;
  auto found = meshes.find(iName);
  if (found != meshes.end()) return found->second.get();
  KelBenchPolygonPtr subdivided;
  if (KelCldPolygon* read = KelBenchSharedMesh(iName)) {
    KelBenchPolygonPtr once(KelBenchSubdivide(*read));
    subdivided.reset(KelBenchSubdivide(*once));
  }
  return meshes.emplace(iName, std::move(subdivided)).first->second.get();
}

std::string KelBenchSubdividedObj(const std::string& iName)
{
  static std::map<std::string, std::string> written;
  auto found = written.find(iName);
  if (found != written.end()) return found->second;
  std::string path;
#ifdef KEL_BENCH_HAS_OBJ_WRITER
  if (KelCldPolygon* polygon = KelBenchSubdividedMesh(iName)) {
    std::error_code error;
    std::filesystem::create_directories(KEL_BENCH_DATA_DIR, error);
    path = std::string(KEL_BENCH_DATA_DIR) + "/x16-" + iName;
    if (!KelWriteObj(*polygon, path, nullptr)) path.clear();
  }
#endif
  return written.emplace(iName, path).first->second;
}
