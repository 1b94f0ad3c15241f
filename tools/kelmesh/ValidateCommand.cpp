#include <cstdio>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldMeshValidationOper.h"
#include "KelCldPolygon.h"
#include "KelProgressDisplay.h"
#include "ReadMesh.h"

namespace {

const char* const kUsage =
    "usage: kelmesh validate FILE.obj [--progress]\n"
    "\n"
    "Checks that no edge of the mesh is used by more than two triangles. Only edges are\n"
    "examined: vertices are not (two fans meeting at a single vertex pass).\n"
    "\n"
    "exit status:\n"
    "  0  no edge has more than two triangles\n"
    "  1  at least one edge has more than two triangles\n"
    "  2  error (unreadable file, bad arguments)\n"
    "\n"
    "options:\n"
    "  --progress  show a progress bar on stderr even when it is not a terminal\n"
    "  -h, --help  show this help\n";

}  // namespace

int KelRunValidate(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("validate", iArgc, iArgv, {"--progress"}, {}, arguments)) return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 1) return KelUsageError("validate", "expected one FILE.obj");
  const std::string& path = arguments._positional[0];

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(path, polygon, error)) {
    KelFailure(error);
    return KelExitUsage;
  }
  KelProgressDisplay progress("validate", KelProgressDisplay::StreamFor(arguments.HasFlag("--progress")));
  KelCldMeshValidationOper validation;
  validation.SetCallback(progress.GetCallback());
  const bool valid = validation.Run(&polygon) != FALSE;
  progress.Finish();
  if (progress.WasInterrupted()) return KelInterrupted();

  if (valid) {
    std::printf("%s: valid: no edge has more than two triangles\n", path.c_str());
    return KelExitOk;
  }
  int count = 0;
  int* pairs = nullptr;
  polygon.GetNonManifoldEdges(count, pairs);
  delete[] pairs;
  std::printf("%s: not valid: %d edge%s more than two triangles\n", path.c_str(), count,
              count == 1 ? " has" : "s have");
  return KelExitFailure;
}
