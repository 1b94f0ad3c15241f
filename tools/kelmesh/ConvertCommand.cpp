#include <cstdio>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldPolygon.h"
#include "KelObjWriter.h"
#include "ReadMesh.h"
#include "SameFile.h"

namespace {

const char* const kUsage =
    "usage: kelmesh convert IN.obj OUT.obj [--force]\n"
    "\n"
    "Reads IN.obj and writes its vertices and triangles to OUT.obj ('v' and 'f' records,\n"
    "9 significant digits, unused points dropped). OUT.obj is replaced only once it is\n"
    "completely written.\n"
    "\n"
    "options:\n"
    "  --force     allow OUT.obj to be the same file as IN.obj\n"
    "  -h, --help  show this help\n";

}  // namespace

int KelRunConvert(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("convert", iArgc, iArgv, {"--force"}, {}, arguments)) return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 2) return KelUsageError("convert", "expected IN.obj and OUT.obj");
  const std::string& input = arguments._positional[0];
  const std::string& output = arguments._positional[1];
  if (!arguments.HasFlag("--force") && KelIsSameFile(input, output))
    return KelFailure("refusing to overwrite the input '" + input + "' with '" + output + "' (use --force)");

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(input, polygon, error)) return KelFailure(error);
  if (!KelWriteObj(polygon, output, &error)) return KelFailure(error);
  std::printf("%s: %d vertices, %d triangles\n", output.c_str(), polygon.GetNbVertices(), polygon.GetNbTriangles(0));
  return KelExitOk;
}
