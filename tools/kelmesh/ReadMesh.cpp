#include "ReadMesh.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#include "KelErrnoText.h"

namespace {

// The reader only says yes or no; the file system checks come first so that the message
// tells a missing file from a bad one.
std::string ReasonNotReadable(const std::string& iPath)
{
  struct stat status;
  if (::stat(iPath.c_str(), &status) != 0) return errno == ENOENT ? "no such file" : KelErrnoText(errno);
  if (S_ISDIR(status.st_mode)) return "is a directory";
  std::FILE* file = std::fopen(iPath.c_str(), "r");
  if (!file) return KelErrnoText(errno);
  std::fclose(file);
  return std::string();
}

}  // namespace

bool KelReadMesh(const std::string& iPath, KelCldPolygon& ioPolygon, std::string& oError)
{
  std::string reason = ReasonNotReadable(iPath);
  if (reason.empty()) {
    KelCldObjModel model;
    if (!model.Read(iPath.c_str())) reason = "not a valid OBJ file";
    else if (!model.GetPolyMesh(&ioPolygon) || ioPolygon.GetNbTriangles(0) == 0) reason = "no triangles";
  }
  if (reason.empty()) return true;
  oError = "cannot read '" + iPath + "': " + reason;
  return false;
}
