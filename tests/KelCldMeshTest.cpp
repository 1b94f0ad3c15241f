// The polygon's mesh object: lifetime, iterators, selection conversions, free-edge test and
// attributes, on constructed meshes and on bunny.obj.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KelCldFieldData.h"
#include "KelCldPolygon.h"
#include "TestMeshes.h"
#include "KelICldFaceIterator.h"
#include "KelICldIterators.h"
#include "KelICldMesh.h"
#include "KelICldVertexIterator.h"
#include "KelTrace.h"
#include "TestData.h"

namespace {

// Holds one reference of an object of the object model.
template <class T>
struct Ref {
  explicit Ref(T* iObject = nullptr) : object(iObject) {}
  ~Ref()
  {
    if (object) object->Release();
  }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  T* operator->() const { return object; }
  T* object;
};

KelICldMesh* MeshOf(KelCldPolygon* iPolygon)
{
  KelICldMesh* mesh = nullptr;
  EXPECT_EQ(iPolygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh)), S_OK);
  return mesh;
}

// Closed tetrahedron on points 1..4 (consistently oriented) and an isolated point 5.
KelCldPolygon* MakeTetrahedron() { return MakePolygon(5, {{1, 3, 2}, {1, 2, 4}, {2, 3, 4}, {3, 1, 4}}); }

template <class Iterator>
std::vector<int> Walk(Iterator* iIterator)
{
  std::vector<int> numbers;
  int number = 0;
  for (KelBoolean more = iIterator->Reset(number); more; more = iIterator->Next(number)) numbers.push_back(number);
  return numbers;
}

TEST(KelCldMesh, OneMeshPerPolygonDestroyedWithIt)
{
  KelTrace::Enable("KelCldExtensions");
  testing::internal::CaptureStderr();
  KelCldPolygon* polygon = MakeTetrahedron();
  KelICldMesh* first = MeshOf(polygon);
  KelICldMesh* second = MeshOf(polygon);
  EXPECT_TRUE(first == second && first->IsA("KelCldMesh"));
  first->Release();
  second->Release();
  KelICldMesh* third = MeshOf(polygon);  // the same object, though no reference was left out
  EXPECT_EQ(third, first);
  third->Release();
  const std::string beforeRelease = testing::internal::GetCapturedStderr();
  testing::internal::CaptureStderr();
  polygon->Release();
  const std::string afterRelease = testing::internal::GetCapturedStderr();
  KelTrace::Reset();

  EXPECT_EQ(Occurrences(beforeRelease, "KelCldMesh - Constructor\n"), 1u);
  EXPECT_EQ(Occurrences(beforeRelease, "KelCldMesh - Destructor\n"), 0u);
  EXPECT_EQ(Occurrences(afterRelease, "KelCldMesh - Destructor\n"), 1u);
}

TEST(KelCldMesh, IteratorsSkipUnusedNumbers)
{
  // Points 1 and 2 carry no triangle; triangle 2 is removed; triangle 4 is made inactive.
  Ref<KelCldPolygon> polygon(MakePolygon(8, {{3, 4, 5}, {3, 5, 6}, {4, 6, 5}, {6, 7, 8}}));
  polygon->RemoveTriangle(2);
  Ref<KelICldMesh> mesh(MeshOf(polygon.object));
  KelICldVertexIterator* vertices = nullptr;
  KelICldFaceIterator* faces = nullptr;
  ASSERT_EQ(mesh->GetVertexIterator(&vertices), S_OK);
  ASSERT_EQ(mesh->GetFaceIterator(&faces), S_OK);
  EXPECT_EQ(Walk(vertices), (std::vector<int>{3, 4, 5, 6, 7, 8}));
  polygon->DeactivateVertex(8);
  EXPECT_EQ(Walk(faces), (std::vector<int>{1, 3}));
  int number = 0;
  EXPECT_FALSE(faces->Next(number));

  // The same iterators without the mesh.
  KelICldIterators* iterators = nullptr;
  ASSERT_EQ(polygon->QueryInterface(IID_KelICldIterators, reinterpret_cast<void**>(&iterators)), S_OK);
  ASSERT_EQ(iterators->GetVertexIterator(&vertices), S_OK);
  ASSERT_EQ(iterators->GetFaceIterator(&faces), S_OK);
  EXPECT_EQ(Walk(vertices), (std::vector<int>{3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Walk(faces), (std::vector<int>{1, 3}));
  KelICldEdgeIterator* edges = nullptr;
  EXPECT_EQ(iterators->GetEdgeIterator(&edges), E_FAIL);
  EXPECT_EQ(mesh->GetEdgeIterator(&edges), static_cast<HRESULT>(0x80004005u));
  EXPECT_EQ(edges, nullptr);
  iterators->Release();
  vertices->Release();
  faces->Release();
  EXPECT_EQ(mesh->GetCurrentState(), -1);
}

TEST(KelCldMesh, SelectionConversions)
{
  // A strip of four triangles over points 1..6 and an isolated point 7.
  Ref<KelCldPolygon> polygon(MakePolygon(7, {{1, 2, 3}, {2, 4, 3}, {3, 4, 5}, {4, 6, 5}}));
  Ref<KelICldMesh> mesh(MeshOf(polygon.object));
  KelRawCollint out = Coll({99});
  EXPECT_TRUE(mesh->GetVertices(KelRawCollint(), out) && out.Size() == 0);
  EXPECT_TRUE(mesh->GetVertices(Coll({3, 2, 3}), out));
  EXPECT_EQ(List(out), (std::vector<int>{2, 3, 4, 5}));

  // Optimised or not, and left as found.
  EXPECT_TRUE(mesh->GetTriangles(Coll({5, 7, 5}), out));
  EXPECT_EQ(List(out), (std::vector<int>{3, 4}));
  EXPECT_FALSE(polygon->IsOptimized());
  polygon->Optimize();
  EXPECT_TRUE(mesh->GetTriangles(Coll({6, 1}), out));
  EXPECT_EQ(List(out), (std::vector<int>{1, 4}));
  EXPECT_TRUE(polygon->IsOptimized());

  // Free edges: every vertex of the strip is on one; the isolated point is not.
  for (int v = 1; v <= 6; ++v) EXPECT_TRUE(mesh->IsVertexOnAFreeEdge(v)) << v;
  EXPECT_FALSE(mesh->IsVertexOnAFreeEdge(7) || mesh->IsVertexOnAFreeEdge(0));

  Ref<KelCldPolygon> tetrahedron(MakeTetrahedron());
  Ref<KelICldMesh> closed(MeshOf(tetrahedron.object));
  for (int v = 1; v <= 5; ++v) EXPECT_FALSE(closed->IsVertexOnAFreeEdge(v)) << v;
}

TEST(KelCldMeshDeathTest, InvalidTriangle)
{
  Ref<KelCldPolygon> polygon(MakeTetrahedron());
  polygon->RemoveTriangle(2);
  Ref<KelICldMesh> mesh(MeshOf(polygon.object));
  KelRawCollint out;
  EXPECT_DEATH(mesh->GetVertices(Coll({1, 2}), out),
               FatalPattern("_cldPolygon->IsTriangleValid (noTriangle)", "KelCldExtensions.m/src/KelCldMesh, line"));
}

TEST(KelCldMesh, AttributeDefinitions)
{
  Ref<KelCldPolygon> polygon(MakeTetrahedron());
  Ref<KelICldMesh> mesh(MeshOf(polygon.object));
  const double value = 2.5;
  double read = 0;
  const char* in = reinterpret_cast<const char*>(&value);
  char* out = reinterpret_cast<char*>(&read);
  EXPECT_FALSE(mesh->SetVertexAttribute(1, 3, in) || mesh->GetVertexAttribute(1, 3, out) ||
               mesh->UndefineVertexAttribute(3) || mesh->HasVertexAttributeDefined(3));

  ASSERT_TRUE(mesh->DefineVertexAttribute(3, 8));
  ASSERT_TRUE(mesh->DefineVertexAttribute(1, 4));
  EXPECT_FALSE(mesh->DefineVertexAttribute(3, 8) || mesh->DefineVertexAttribute(0, 8));
  EXPECT_FALSE(mesh->SetSizeOfVertexAttributesField(11));
  EXPECT_TRUE(mesh->SetSizeOfVertexAttributesField(12));
  EXPECT_TRUE(mesh->HasVertexAttributeDefined(1) && !mesh->HasFaceAttributeDefined(1));

  // Fields are handed out in the order elements first receive a value.
  EXPECT_FALSE(mesh->GetVertexAttribute(4, 3, out));
  ASSERT_TRUE(mesh->SetVertexAttribute(4, 3, in));
  ASSERT_TRUE(mesh->SetVertexAttribute(2, 3, in));
  EXPECT_EQ(polygon->GetPointAttribute(4), KelCldFieldData::FieldHandle(1));
  EXPECT_EQ(polygon->GetPointAttribute(2), KelCldFieldData::FieldHandle(2));
  ASSERT_TRUE(mesh->GetVertexAttribute(4, 3, out));
  EXPECT_EQ(read, value);
  EXPECT_FALSE(mesh->SetVertexAttribute(4, 7, in) || mesh->SetVertexAttribute(99, 3, in));

  // Undefining keeps the other attributes' values.
  const int flag = 77;
  const auto flagOf2 = [&mesh] {
    int flagRead = 0;
    return mesh->GetVertexAttribute(2, 1, reinterpret_cast<char*>(&flagRead)) ? flagRead : -1;
  };
  ASSERT_TRUE(mesh->SetVertexAttribute(2, 1, reinterpret_cast<const char*>(&flag)));
  ASSERT_TRUE(mesh->UndefineVertexAttribute(3));
  EXPECT_FALSE(mesh->GetVertexAttribute(2, 3, out));
  ASSERT_TRUE(mesh->DefineVertexAttribute(2, 8));
  EXPECT_EQ(flagOf2(), 77);
  ASSERT_TRUE(mesh->SetSizeOfVertexAttributesField(40));  // wider than the layout
  EXPECT_EQ(flagOf2(), 77);

  // All faces at once: only active faces receive the value.
  ASSERT_TRUE(mesh->DefineFaceAttribute(1, 8));
  polygon->DeactivateVertex(4);
  EXPECT_TRUE(mesh->SetFaceAttribute(1, in));
  read = 0;
  ASSERT_TRUE(mesh->GetFaceAttribute(1, 1, out));
  EXPECT_EQ(read, value);
  EXPECT_FALSE(mesh->GetFaceAttribute(2, 1, out));
  EXPECT_FALSE(mesh->SetFaceAttribute(2, in));
}

TEST(KelCldMesh, BunnyAttributesAndSelections)
{
  const std::string path = SharedDataPath("bunny.obj");
  KEL_REQUIRE_SHARED(path);
  Ref<KelCldPolygon> polygon(KelCldPolygon::Create());
  ASSERT_TRUE(ReadObj(path, *polygon.object));
  Ref<KelICldMesh> mesh(MeshOf(polygon.object));
  const int nbPoints = polygon->GetNbPoints(1), nbTriangles = polygon->GetNbTriangles(1);
  ASSERT_EQ(nbPoints, 1839);
  ASSERT_EQ(nbTriangles, 3674);

  // Every triangle gives every vertex and back; the bunny is closed.
  std::vector<int> all(nbTriangles);
  for (int t = 1; t <= nbTriangles; ++t) all[t - 1] = t;
  KelRawCollint vertices, triangles;
  ASSERT_TRUE(mesh->GetVertices(Coll(all), vertices));
  ASSERT_EQ(vertices.Size(), nbPoints);
  ASSERT_TRUE(mesh->GetTriangles(vertices, triangles));
  EXPECT_EQ(List(triangles), all);
  int onFreeEdge = 0;
  for (int v = 1; v <= nbPoints; ++v) onFreeEdge += mesh->IsVertexOnAFreeEdge(v);
  EXPECT_EQ(onFreeEdge, 0);

  // One value on every vertex, then one per vertex; both read back.
  ASSERT_TRUE(mesh->DefineVertexAttribute(1, sizeof(int)));
  ASSERT_TRUE(mesh->DefineVertexAttribute(2, sizeof(float[3])));
  const int mark = -5;
  ASSERT_TRUE(mesh->SetVertexAttribute(1, reinterpret_cast<const char*>(&mark)));
  for (int v = 1; v <= nbPoints; ++v) {
    float position[3];
    polygon->GetPoint(v, position);
    ASSERT_TRUE(mesh->SetVertexAttribute(v, 2, reinterpret_cast<const char*>(position)));
  }
  for (int v = 1; v <= nbPoints; ++v) {
    float position[3], saved[3];
    int read = 0;
    polygon->GetPoint(v, position);
    ASSERT_TRUE(mesh->GetVertexAttribute(v, 2, reinterpret_cast<char*>(saved)));
    ASSERT_TRUE(mesh->GetVertexAttribute(v, 1, reinterpret_cast<char*>(&read)));
    ASSERT_EQ(read, mark);
    ASSERT_TRUE(saved[0] == position[0] && saved[1] == position[1] && saved[2] == position[2]) << v;
  }
}

}  // namespace
