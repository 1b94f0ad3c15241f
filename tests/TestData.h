#ifndef TestData_h
#define TestData_h
// Paths of the meshes the tests read. Shared meshes may be absent: tests that need one skip.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

inline std::string SharedDataPath(const std::string& iName) { return std::string(KEL_SHARED_DATA_DIR) + "/" + iName; }
inline std::string SourcePath(const std::string& iName) { return std::string(KEL_SOURCE_DIR) + "/" + iName; }
inline bool FileExists(const std::string& iPath) { return std::ifstream(iPath).good(); }

inline size_t Occurrences(const std::string& iText, const std::string& iPart)
{
  size_t count = 0;
  for (size_t at = iText.find(iPart); at != std::string::npos; at = iText.find(iPart, at + 1)) ++count;
  return count;
}

// Death-test pattern of a failed assertion: its condition text, then the source it reports,
// given from below KelPolyMeshOperatorsBase/ (e.g. "KelCldMeshCrv.m/src/KelCldMeshCurve").
inline std::string FatalPattern(const std::string& iCondition, const std::string& iSource)
{
  const std::string escaped = std::regex_replace(iCondition, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
  return "AssertionFailed:" + escaped + "\n.*KelPolyMeshOperatorsBase/" + iSource;
}

// Skips the current test when the shared mesh is not there.
#define KEL_REQUIRE_SHARED(path)                                             \
  do {                                                                       \
    if (!FileExists(path)) GTEST_SKIP() << "shared mesh not found: " << (path); \
  } while (0)

// Reads the shared mesh into the polygon, skipping the test when the file is absent.
#define KEL_READ_SHARED(name, polygon)                          \
  do {                                                          \
    const std::string sharedPath_ = SharedDataPath(name);       \
    KEL_REQUIRE_SHARED(sharedPath_);                            \
    ASSERT_TRUE(ReadObj(sharedPath_, polygon)) << sharedPath_;  \
  } while (0)

#endif
