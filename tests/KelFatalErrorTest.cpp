#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "KelFatalError.h"
#include "KelRawColl.h"

namespace {
std::string SourcePathOf(const char* iFile)
{
  char path[256];
  KelFatalErrorSourcePath(iFile, path, sizeof(path));
  return path;
}

void PrintingHandler(const char* iMessage, const char* iSourcePath, int iLine)
{
  std::fprintf(stderr, "handler got [%s] [%s] [%d]\n", iMessage, iSourcePath, iLine);
}
}  // namespace

TEST(KelFatalError, SourcePaths)
{
  EXPECT_EQ(SourcePathOf("/work/main/Platform/src/KelHashTable.cpp"), "Platform/src/KelHashTable");
  EXPECT_EQ(SourcePathOf("/x/KelPolyMeshOperatorsBase/KelCldExtensions.m/src/KelCldMesh.cpp"),
            "KelPolyMeshOperatorsBase/KelCldExtensions.m/src/KelCldMesh");
  EXPECT_EQ(SourcePathOf("/x/KelPolyMeshOperatorsBase/KelCldMeshCrv.m/src/NoExtension"),
            "KelPolyMeshOperatorsBase/KelCldMeshCrv.m/src/NoExtension");
  // A checkout in a directory named after the framework still reports from the real root.
  EXPECT_EQ(SourcePathOf("/home/u/KelPolyMeshOperatorsBase/Platform/include/KelRawColl.h"),
            "Platform/include/KelRawColl");
  EXPECT_EQ(SourcePathOf("/home/u/KelPolyMeshOperatorsBase/KelPolyMeshOperatorsBase/ProtectedInterfaces/KelX.h"),
            "KelPolyMeshOperatorsBase/ProtectedInterfaces/KelX");
  // "Platform/" only counts as a whole directory name.
  EXPECT_EQ(SourcePathOf("/usr/include/KelPlatform/KelRawColl.h"), "/usr/include/KelPlatform/KelRawColl");
  EXPECT_EQ(SourcePathOf(nullptr), "");
  char tiny[9];
  KelFatalErrorSourcePath("/a/Platform/src/KelTrace.cpp", tiny, sizeof(tiny));
  EXPECT_STREQ(tiny, "Platform");
}

TEST(KelFatalErrorDeathTest, MessageAndPath)
{
  EXPECT_DEATH(KelAssert(1 + 1 == 3), "AssertionFailed:1 \\+ 1 == 3\n.*KelFatalErrorTest, line [0-9]+");
  EXPECT_DEATH(KelFatalError("AssertionFailed:_polygon", "/build/Platform/src/KelCldPolygon.cpp", 42),
               "^AssertionFailed:_polygon\nPlatform/src/KelCldPolygon, line 42\n");
  // An assertion inside a platform header reports that header.
  KelRawCollint empty;
  EXPECT_DEATH(empty.RemovePosition(1), "AssertionFailed:iPos > 0 && iPos <= _Size\nPlatform/include/KelRawColl, line");
  EXPECT_DEATH(
      {
        KelSetFatalErrorHandler(PrintingHandler);
        KelFatalError("AssertionFailed:x", "/s/KelPolyMeshOperatorsBase/KelCldMeshCrv.m/src/KelCldMeshCurve.cpp", 7);
      },
      "handler got \\[AssertionFailed:x\\] \\[KelPolyMeshOperatorsBase/KelCldMeshCrv.m/src/KelCldMeshCurve\\] \\[7\\]");
  EXPECT_EQ(KelSetFatalErrorHandler(nullptr), nullptr);
}
