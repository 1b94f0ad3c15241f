// Saving and restoring the polygon's per-element attribute pointers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KelCldAttributes.h"
#include "KelCldPolygon.h"
#include "KelICldMesh.h"
#include "TestMeshes.h"

namespace {

// A 4 x 3 grid: 12 vertices, 12 triangles. Vertices 2, 5, 9 and triangles 1, 4, 7 get a
// value of the mesh's attribute 1, which gives them attribute pointers.
struct Fixture {
  Fixture()
  {
    MakeGrid(*polygon, 4, 3);
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
  std::vector<KelCldAttribute*> VertexPointers() const { return Pointers(&KelCldPolygon::GetPointAttribute, 12); }
  std::vector<KelCldAttribute*> FacePointers() const { return Pointers(&KelCldPolygon::GetTriangleAttribute, 12); }
  std::vector<KelCldAttribute*> Pointers(KelCldAttribute* (KelCldPolygon::*iGet)(int) const, int iCount) const
  {
    std::vector<KelCldAttribute*> pointers;
    for (int k = 1; k <= iCount; ++k) pointers.push_back((polygon->*iGet)(k));
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
  EXPECT_FALSE(f.mesh->GetVertexAttribute(5, 1, reinterpret_cast<char*>(&value)) || saver.SaveVertexAttributes());

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
  KelCldPolygon* polygon = MakePolygon(3, {{1, 2, 3}});
  KelCldAttributes saver(polygon), empty;
  EXPECT_FALSE(saver.SaveVertexAttributes() || saver.RestoreVertexAttributes() || saver.SaveFaceAttributes() ||
               saver.RestoreFaceAttributes());
  EXPECT_FALSE(empty.SaveVertexAttributes() || empty.RestoreFaceAttributes());
  polygon->Release();
}

TEST(KelCldAttributesDeathTest, RestoreOntoElementWithAttribute)
{
  for (const bool faces : {false, true})
    EXPECT_DEATH(
        {
          Fixture f;
          KelCldAttributes saver(f.polygon);
          faces ? saver.SaveFaceAttributes() : saver.SaveVertexAttributes();
          const int attribute = 7;  // attribute 1 is 4 bytes wide
          const char* value = reinterpret_cast<const char*>(&attribute);
          faces ? f.mesh->SetFaceAttribute(4, 1, value) : f.mesh->SetVertexAttribute(9, 1, value);
          faces ? saver.RestoreFaceAttributes() : saver.RestoreVertexAttributes();
        },
        std::string("AssertionFailed:cldPolygon->") + (faces ? "GetTriangleAttribute" : "GetPointAttribute") +
            " \\(noVrtx\\) == NULL\nKelPolyMeshOperatorsBase/KelCldExtensions.m/src/KelCldAttributes, line");
}

}  // namespace
