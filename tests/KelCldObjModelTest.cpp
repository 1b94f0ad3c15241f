#include "KelCldObjModel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

std::string WriteTemp(const std::string& iName, const std::string& iContent)
{
  const std::string path = ::testing::TempDir() + "KelCldObjModelTest_" + iName;
  std::ofstream(path, std::ios::binary) << iContent;
  return path;
}

std::vector<int> Triangle(const KelCldObjModel& iModel, int iTriangle)
{
  const ObjTriangle* t = iModel.GetTriangle(iTriangle);
  return {t->vertices[0], t->vertices[1], t->vertices[2], t->textures[0], t->textures[1], t->textures[2],
          t->normals[0],  t->normals[1],  t->normals[2]};
}

}  // namespace

TEST(KelCldObjModel, FaceFormatsGroupsAndMaterials)
{
  KelCldObjModel model;
  ASSERT_TRUE(model.Read(SourcePath("tests/data/obj/mixed.obj").c_str()));
  EXPECT_STREQ(model.GetMaterialLibraryName(), ".\\materials.mtl");
  EXPECT_EQ((std::vector<int>{model.GetNbVertices(), model.GetNbNormals(), model.GetNbTextureCoordinates()}),
            (std::vector<int>{4, 1, 3}));
  ASSERT_EQ(model.GetNbTriangles(), 5);
  // The quad is fanned around its first vertex; absent fields are 0.
  const std::vector<int> expected[5] = {{1, 2, 3, 0, 0, 0, 0, 0, 0}, {1, 3, 4, 0, 0, 0, 0, 0, 0},
                                        {1, 2, 3, 0, 0, 0, 1, 1, 1}, {1, 2, 3, 1, 2, 3, 1, 1, 1},
                                        {1, 3, 4, 1, 3, 1, 0, 0, 0}};
  for (int t = 0; t < 5; ++t) EXPECT_EQ(Triangle(model, t), expected[t]) << t;
  EXPECT_EQ(model.GetTextureCoordinate(3)[0], 1.0f);
  EXPECT_EQ(model.GetVertex(5), nullptr);

  // Materials: "default" first, the library's defaults and the rescaled shininess.
  ASSERT_EQ(model.GetNbMaterials(), 3);
  const ObjMaterial* red = model.GetMaterial(1);
  EXPECT_TRUE(model.GetMaterial(0)->name == "default" && red->name == "red");
  EXPECT_EQ((std::vector<float>{red->ambient[2], red->diffuse[0], red->specular[1], red->shininess}),
            (std::vector<float>{0.3f, 1.0f, 0.5f, 64.0f}));
  EXPECT_FLOAT_EQ(model.GetMaterial(2)->ambient[0], 0.3f);
  EXPECT_EQ(model.FindMaterial("blue") * 10 + model.FindMaterial("missing"), 20);

  // Groups: newest first, an unknown usemtl selects material 0.
  ASSERT_EQ(model.GetNbGroups(), 4);
  EXPECT_EQ(model.GetGroups()->name, "full");
  EXPECT_EQ(model.FindGroup("quad")->triangles, (std::vector<int>{0, 1}));
  EXPECT_EQ(model.FindGroup("full")->triangles, (std::vector<int>{3, 4}));
  EXPECT_EQ((std::vector<int>{model.FindGroup("quad")->material, model.FindGroup("normals")->material,
                              model.FindGroup("full")->material, model.FindGroup("default")->nbTriangles}),
            (std::vector<int>{1, 0, 2, 0}));
  EXPECT_EQ(model.FindGroup("Quad"), nullptr);
  ObjGroup* added = model.AddGroup("extra");
  EXPECT_TRUE(model.AddGroup("extra") == added && model.GetNbGroups() == 5);

  // The k-th v record becomes the k-th point, on top of what the polygon holds.
  KelCldPolygon polygon;
  polygon.AddPoint(9.0f, 9.0f, 9.0f);
  ASSERT_TRUE(model.GetPolyMesh(&polygon));
  EXPECT_EQ((std::vector<int>{polygon.GetNbPoints(), polygon.GetNbTriangles()}), (std::vector<int>{5, 5}));
  EXPECT_EQ(Coords(polygon, 4)[1], 1.0f);
  EXPECT_EQ(TriangleRow(polygon, 2)[1], 4);  // (2, 4, 5)
}

TEST(KelCldObjModel, PlainFilesCommentsAndLongLines)
{
  KelCldObjModel model;
  KelCldPolygon polygon;
  const std::string longComment = "#" + std::string(100000, 'x') + "\r\n";
  const std::string plain = longComment + "v 1 2 3\r\nv 4 5 6\r\nv +7 8e0 -9.5\r\n\r\n  f 3 2 1\r\n";
  ASSERT_TRUE(model.Read(WriteTemp("plain.obj", plain).c_str()));
  EXPECT_EQ(model.GetNbGroups(), 1);
  EXPECT_EQ(model.FindGroup("default")->triangles, (std::vector<int>{0}));
  EXPECT_EQ(model.GetVertex(3)[2], -9.5f);
  EXPECT_EQ(model.GetNbMaterials(), 0);
  EXPECT_TRUE(model.GetPolyMesh(&polygon) && !model.GetPolyMesh(nullptr));

  // Nothing to put in a polygon.
  for (const char* text : {"# only\n# comments\n", "", "v 1 2 3\n"}) {
    KelCldPolygon empty;
    ASSERT_TRUE(model.Read(WriteTemp("empty.obj", text).c_str())) << text;
    EXPECT_FALSE(model.GetPolyMesh(&empty));
    EXPECT_EQ(empty.GetNbPoints(), 0);
  }
  EXPECT_FALSE(model.Read(nullptr));
  EXPECT_FALSE(model.Read(WriteTemp("does-not-exist/x.obj", "").c_str()));
}

TEST(KelCldObjModel, MalformedFilesFailAndLeaveTheModelEmpty)
{
  static const char kBinary[] = "\x7f" "ELF\0\x01\x02\n\xff\xfe\x00\n" "f \x80\x81\x82\n";
  const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
  const std::vector<std::string> malformed = {
      triangle + "f 1 2",  // truncated
      triangle + "f 1 2\n3\n",
      triangle + "f 1 2 4\n",
      triangle + "f 0 1 2\n",
      triangle + "f -1 -2 -3\n",
      triangle + "f 1 2 99999999999\n",
      triangle + "f 1 2 3abc\n",
      triangle + "f 1/1/1 2/1/1 3/1/1\n",  // no vt nor vn
      triangle + "vn 0 0 1\nf 1//1 2//2 3//1\n",
      triangle + "f 1//1 2//1 x//1\n",
      triangle + "vx 1 2 3\n",
      "v 1 2\n",
      "v 1 2 abc\n",
      "v 1 2 1e999\n",
      "vt 0.5\n",
      "mtllib missing.mtl\n" + triangle,
      std::string(kBinary, sizeof(kBinary) - 1),
  };
  for (const std::string& text : malformed) {
    KelCldObjModel model;
    EXPECT_FALSE(model.Read(WriteTemp("bad.obj", text).c_str())) << text;
    EXPECT_EQ(model.GetNbVertices() + model.GetNbTriangles() + model.GetNbGroups(), 0) << text;
  }

  // A valid file with a few bytes replaced: any result, never a crash nor a bad triangle.
  std::mt19937 random(7);
  const std::string alphabet = std::string("vfgmu#nt/ -+.e0123456789\r\n\t") + std::string(1, '\0');
  const std::string valid = triangle + "v 1 1 0\nvt 0 0\nvn 0 0 1\ng a\nusemtl x\nf 1/1/1 2/1/1 3/1/1 4/1/1\nf 1//1 2//1 3//1\n";
  int nbRead = 0;
  for (int trial = 0; trial < 100; ++trial) {
    std::string text = valid;
    for (int k = 0; k < 2; ++k) text[random() % text.size()] = alphabet[random() % alphabet.size()];
    KelCldObjModel model;
    KelCldPolygon polygon;
    if (!model.Read(WriteTemp("mutated.obj", text).c_str())) continue;
    ++nbRead;
    EXPECT_EQ(model.GetPolyMesh(&polygon), model.GetNbTriangles() > 0 && model.GetNbVertices() > 0) << text;
    EXPECT_EQ(polygon.GetNbTriangles(), model.GetNbTriangles()) << text;
  }
  EXPECT_GT(nbRead, 0);
}

// A material library that is a pipe or a device would block the reader or never end: the
// file is refused as for a missing library, and promptly.
TEST(KelCldObjModel, MaterialLibraryIsARegularFile)
{
  const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
  const std::string pipe = ::testing::TempDir() + "KelCldObjModelTest_pipe.mtl";
  const std::string zero = ::testing::TempDir() + "KelCldObjModelTest_zero.mtl";
  std::remove(pipe.c_str());
  std::remove(zero.c_str());
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::error_code error;
  std::filesystem::create_symlink("/dev/zero", zero, error);
  ASSERT_FALSE(error) << error.message();
  for (const char* library : {"KelCldObjModelTest_pipe.mtl", "KelCldObjModelTest_zero.mtl"}) {
    KelCldObjModel model;
    EXPECT_FALSE(model.Read(WriteTemp("device.obj", std::string("mtllib ") + library + "\n" + triangle).c_str()))
        << library;
    EXPECT_EQ(model.GetNbTriangles() + model.GetNbMaterials(), 0) << library;
  }
  std::remove(pipe.c_str());
  std::remove(zero.c_str());

  WriteTemp("regular.mtl", "newmtl red\nKd 1 0 0\n");
  KelCldObjModel model;
  EXPECT_TRUE(model.Read(WriteTemp("regular.obj", "mtllib KelCldObjModelTest_regular.mtl\n" + triangle).c_str()));
  EXPECT_EQ(model.FindMaterial("red"), 1);
  EXPECT_EQ(model.GetNbTriangles(), 1);
}

TEST(KelCldObjModel, SpiderWithMaterialLibrary)
{
  const std::string path = SharedDataPath("spider/spider.obj");
  KEL_REQUIRE_SHARED(path);
  KelCldObjModel model;
  ASSERT_TRUE(model.Read(path.c_str()));
  EXPECT_EQ(model.GetNbGroups(), 20);
  ASSERT_EQ(model.GetNbMaterials(), 6);
  const ObjMaterial* skin = model.GetMaterial(model.FindMaterial("Skin"));
  EXPECT_FLOAT_EQ(skin->diffuse[2], 0.772549f);
  EXPECT_FLOAT_EQ(skin->ambient[0], 0.2f);
  EXPECT_EQ(model.FindGroup("OK")->material, model.FindMaterial("Skin"));
  EXPECT_EQ(model.FindGroup("Auge")->material, model.FindMaterial("Augentex"));
  EXPECT_EQ(model.FindGroup("Bein1Li")->nbTriangles, 98);
  int nbGrouped = 0;
  for (const ObjGroup* group = model.GetGroups(); group; group = group->next) nbGrouped += group->nbTriangles;
  EXPECT_EQ(nbGrouped, 1368);
  EXPECT_EQ(Triangle(model, 0), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));

  KelCldPolygon polygon;
  ASSERT_TRUE(model.GetPolyMesh(&polygon));
  EXPECT_EQ((std::vector<int>{polygon.GetNbPoints(), polygon.GetNbTriangles()}), (std::vector<int>{762, 1368}));
}
