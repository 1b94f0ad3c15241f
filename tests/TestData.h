#ifndef TestData_h
#define TestData_h
// Paths of the meshes the tests read. Shared meshes may be absent: tests that need one skip.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

inline std::string SharedDataPath(const std::string& iName) { return std::string(KEL_SHARED_DATA_DIR) + "/" + iName; }
inline std::string SourcePath(const std::string& iName) { return std::string(KEL_SOURCE_DIR) + "/" + iName; }
inline bool FileExists(const std::string& iPath) { return std::ifstream(iPath).good(); }

// Skips the current test when the shared mesh is not there.
#define KEL_REQUIRE_SHARED(path)                                             \
  do {                                                                       \
    if (!FileExists(path)) GTEST_SKIP() << "shared mesh not found: " << (path); \
  } while (0)

#endif
