// Saving and restoring the polygon's per-element attribute pointers.

#include <gtest/gtest.h>

#include <vector>

#include "KelCldAttributes.h"
#include "KelCldPolygon.h"
#include "KelICldMesh.h"

namespace {

// A 4 x 3 grid: 12 vertices, 12 triangles. Vertices 2, 5, 9 and triangles 1, 4, 7 get a
// value of the mesh's attribute 1, which gives them attribute pointers.
struct Fixture {
  Fixture()
  {
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 4; ++i) polygon->AddPoint(float(i), float(j), 0.f);
    for (int j = 0; j < 2; ++j)
      for (int i = 0; i < 3; ++i) {
        const int a = 4 * j + i + 1;
        polygon->AddTriangle(a, a + 1, a + 5);
        polygon->AddTriangle(a, a + 5, a + 4);
      }
    polygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh));
    mesh->DefineVertexAttribute(1, 4);
    mesh->DefineFaceAttribute(1, 4);
    for (int v : {2, 5, 9}) mesh->SetVertexAttribute(v, 1, reinterpret_cast<const char*>(&v));
    for (int t : {1, 4, 7}) mesh->SetFaceAttribute(t, 1, reinterpret_cast<const char*>(&t));
  }
  ~Fixture()
  {
    mesh->Release();
    polygon->Release();
  }
  std::vector<KelCldAttribute*> VertexPointers() const
  {
    std::vector<KelCldAttribute*> pointers;
    for (int v = 1; v <= polygon->GetNbPoints(1); ++v) pointers.push_back(polygon->GetPointAttribute(v));
    return pointers;
  }
  std::vector<KelCldAttribute*> FacePointers() const
  {
    std::vector<KelCldAttribute*> pointers;
    for (int t = 1; t <= polygon->GetNbTriangles(1); ++t) pointers.push_back(polygon->GetTriangleAttribute(t));
    return pointers;
  }

  KelCldPolygon* polygon = KelCldPolygon::Create();
  KelICldMesh* mesh = nullptr;
};

TEST(KelCldAttributes, SaveThenRestore)
{
  Fixture f;
  const std::vector<KelCldAttribute*> vertexPointers = f.VertexPointers();
  const std::vector<KelCldAttribute*> facePointers = f.FacePointers();
  const std::vector<KelCldAttribute*> none(vertexPointers.size(), nullptr);

  KelCldAttributes saver(f.polygon);
  EXPECT_FALSE(saver.RestoreVertexAttributes());
  ASSERT_TRUE(saver.SaveVertexAttributes());
  EXPECT_EQ(f.VertexPointers(), none);
  EXPECT_EQ(f.FacePointers(), facePointers);
  int value = 0;
  EXPECT_FALSE(f.mesh->GetVertexAttribute(5, 1, reinterpret_cast<char*>(&value)));
  EXPECT_FALSE(saver.SaveVertexAttributes());

  ASSERT_TRUE(saver.SaveFaceAttributes());
  EXPECT_EQ(f.FacePointers(), std::vector<KelCldAttribute*>(facePointers.size(), nullptr));

  ASSERT_TRUE(saver.RestoreVertexAttributes());
  EXPECT_EQ(f.VertexPointers(), vertexPointers);
  ASSERT_TRUE(f.mesh->GetVertexAttribute(5, 1, reinterpret_cast<char*>(&value)));
  EXPECT_EQ(value, 5);
  EXPECT_FALSE(saver.RestoreVertexAttributes());
  ASSERT_TRUE(saver.RestoreFaceAttributes());
  EXPECT_EQ(f.FacePointers(), facePointers);

  // Saved and never restored: lost with the saver.
  {
    KelCldAttributes lost(f.polygon);
    ASSERT_TRUE(lost.SaveVertexAttributes());
    ASSERT_TRUE(lost.SaveFaceAttributes());
  }
  EXPECT_EQ(f.VertexPointers(), none);
  EXPECT_EQ(f.FacePointers(), std::vector<KelCldAttribute*>(facePointers.size(), nullptr));
}

TEST(KelCldAttributes, NothingToSave)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  polygon->AddPoint(0.f, 0.f, 0.f);
  polygon->AddPoint(1.f, 0.f, 0.f);
  polygon->AddPoint(0.f, 1.f, 0.f);
  polygon->AddTriangle(1, 2, 3);
  KelCldAttributes saver(polygon);
  EXPECT_FALSE(saver.SaveVertexAttributes());
  EXPECT_FALSE(saver.RestoreVertexAttributes());
  EXPECT_FALSE(saver.SaveFaceAttributes());
  EXPECT_FALSE(saver.RestoreFaceAttributes());
  polygon->Release();

  KelCldAttributes empty;
  EXPECT_FALSE(empty.SaveVertexAttributes());
  EXPECT_FALSE(empty.RestoreFaceAttributes());
}

TEST(KelCldAttributesDeathTest, RestoreOntoElementWithAttribute)
{
  EXPECT_DEATH(
      {
        Fixture f;
        KelCldAttributes saver(f.polygon);
        saver.SaveVertexAttributes();
        const int value = 1;
        f.mesh->SetVertexAttribute(9, 1, reinterpret_cast<const char*>(&value));
        saver.RestoreVertexAttributes();
      },
      "AssertionFailed:cldPolygon->GetPointAttribute \\(noVrtx\\) == NULL\n"
      "KelPolyMeshOperatorsBase/KelCldExtensions.m/src/KelCldAttributes, line");
  EXPECT_DEATH(
      {
        Fixture f;
        KelCldAttributes saver(f.polygon);
        saver.SaveFaceAttributes();
        const int value = 1;
        f.mesh->SetFaceAttribute(4, 1, reinterpret_cast<const char*>(&value));
        saver.RestoreFaceAttributes();
      },
      "AssertionFailed:cldPolygon->GetTriangleAttribute \\(noVrtx\\) == NULL");
}

}  // namespace
