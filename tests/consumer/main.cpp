// Builds a polygon by hand, then reads the mesh named on the command line.

#include <cstdio>

#include "KelCldObjModel.h"
#include "KelCldPolygon.h"

int main(int argc, char** argv)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  const int a = polygon->AddPoint(0.f, 0.f, 0.f);
  const int b = polygon->AddPoint(1.f, 0.f, 0.f);
  const int c = polygon->AddPoint(0.f, 1.f, 0.f);
  const bool built = polygon->AddTriangle(a, b, c) == 1 && polygon->GetNbVertices() == 3;
  polygon->Release();
  if (!built) {
    std::fprintf(stderr, "app: could not build a triangle\n");
    return 1;
  }

  KelCldObjModel model;
  KelCldPolygon mesh;
  if (argc != 2 || !model.Read(argv[1]) || !model.GetPolyMesh(&mesh)) {
    std::fprintf(stderr, "app: could not read the mesh\n");
    return 1;
  }
  std::printf("%d vertices, %d triangles\n", mesh.GetNbVertices(), mesh.GetNbTriangles(0));
  return 0;
}
