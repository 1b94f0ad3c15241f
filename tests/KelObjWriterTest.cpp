#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#include "TestMeshes.h"
#include "KelObjWriter.h"
#include "TestData.h"

namespace fs = std::filesystem;

namespace {

// A fresh directory per test: ctest runs the cases of this file in parallel.
fs::path ScratchDirectory()
{
  const fs::path directory = fs::path(KEL_BINARY_DIR) / "Testing" / "KelObjWriterTest" /
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
  fs::remove_all(directory);
  fs::create_directories(directory);
  return directory;
}

std::string FileText(const fs::path& iPath)
{
  std::ostringstream text;
  text << std::ifstream(iPath).rdbuf();
  return text.str();
}

void ExpectSameMesh(const KelCldPolygon& iExpected, const KelCldPolygon& iActual)
{
  ASSERT_EQ(iExpected.GetNbPoints(1), iActual.GetNbPoints(1));
  ASSERT_EQ(iExpected.GetNbTriangles(1), iActual.GetNbTriangles(1));
  for (int v = 1; v <= iExpected.GetNbPoints(1); ++v) {
    float expected[3], actual[3];
    iExpected.GetPoint(v, expected);
    iActual.GetPoint(v, actual);
    EXPECT_EQ(0, std::memcmp(expected, actual, sizeof expected)) << "point " << v;
  }
  for (int t = 1; t <= iExpected.GetNbTriangles(1); ++t) {
    int expected[3], actual[3];
    unsigned char orientation = 0;
    iExpected.GetTriangleVertices(t, expected, orientation);
    iActual.GetTriangleVertices(t, actual, orientation);
    EXPECT_TRUE(std::equal(expected, expected + 3, actual)) << "triangle " << t;
  }
}

}  // namespace

TEST(KelObjWriter, RoundTripIsBitExact)
{
  const fs::path directory = ScratchDirectory();
  KelCldPolygon bunny;
  ASSERT_TRUE(ReadObj(SourcePath("data/bunny.obj"), bunny));

  // Values that need all nine digits, plus the extremes of the float range.
  const float tricky[] = {0.1f, 1.0f / 3.0f, std::nextafter(1.0f, 2.0f), 16777215.0f, -0.0f,
                          3.40282347e38f, 1.17549435e-38f, 1.0e-40f, -2.5e-7f};
  KelCldPolygon constructed;
  for (float value : tricky) constructed.AddPoint(value, -value, value * 0.75f);
  for (int v = 1; v + 2 <= constructed.GetNbPoints(1); ++v) constructed.AddTriangle(v, v + 1, v + 2);

  for (const KelCldPolygon* polygon : {&bunny, &constructed}) {
    const fs::path first = directory / "first.obj", second = directory / "second.obj";
    std::string error;
    ASSERT_TRUE(KelWriteObj(*polygon, first.string(), &error)) << error;
    KelCldPolygon readBack;
    ASSERT_TRUE(ReadObj(first.string(), readBack));
    ExpectSameMesh(*polygon, readBack);
    // Writing what was read gives the same bytes.
    ASSERT_TRUE(KelWriteObj(readBack, second.string(), &error)) << error;
    EXPECT_EQ(FileText(first), FileText(second));
  }
}

TEST(KelObjWriter, CompactsRemovedTrianglesAndFreedPoints)
{
  KelCldPolygon polygon;
  for (int k = 1; k <= 7; ++k) polygon.AddPoint(float(k), float(10 * k), float(-k));
  polygon.AddTriangle(1, 2, 3);
  polygon.AddTriangle(2, 4, 3);
  const int removed = polygon.AddTriangle(3, 4, 5);
  polygon.AddTriangle(5, 4, 6);
  ASSERT_EQ(1, polygon.RemoveTriangle(removed));
  polygon.RemoveVertex(1);  // takes triangle 1 with it; point 7 was never used

  const fs::path path = ScratchDirectory() / "compact.obj";
  ASSERT_TRUE(KelWriteObj(polygon, path.string(), nullptr));
  EXPECT_EQ("v 2 20 -2\nv 3 30 -3\nv 4 40 -4\nv 5 50 -5\nv 6 60 -6\nf 1 3 2\nf 4 3 5\n", FileText(path));
}

TEST(KelObjWriter, FailureLeavesNoFile)
{
  const fs::path directory = ScratchDirectory();
  KelCldPolygon polygon;
  for (int k = 0; k < 3; ++k) polygon.AddPoint(float(k == 1), float(k == 2), 0.f);
  polygon.AddTriangle(1, 2, 3);

  // Runs as root in CI, so unwritable means a path that cannot exist rather than permissions.
  std::ofstream(directory / "plain") << "not a directory";
  const std::string underFile = (directory / "plain" / "out.obj").string();
  std::string error;
  EXPECT_FALSE(KelWriteObj(polygon, underFile, &error));
  EXPECT_EQ("cannot write '" + underFile + "': not a directory", error);

  // The temporary is written, then the rename onto a directory fails: it must be removed.
  fs::create_directory(directory / "taken.obj");
  EXPECT_FALSE(KelWriteObj(polygon, (directory / "taken.obj").string(), nullptr));
  EXPECT_EQ(2, std::distance(fs::directory_iterator(directory), fs::directory_iterator()));  // "plain", "taken.obj"
  EXPECT_TRUE(fs::is_empty(directory / "taken.obj"));
}
