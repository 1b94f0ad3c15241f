#include <cstdio>
#include <string>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldHoles.h"
#include "KelCldMeshCurve.h"
#include "KelCldPolygon.h"
#include "KelObjWriter.h"
#include "ReadMesh.h"
#include "SameFile.h"

namespace {

const char* const kUsage =
    "usage: kelmesh holes IN.obj [-o HOLES.obj] [--force]\n"
    "\n"
    "Finds the holes of a mesh (closed loops of free edges; an edge with more than two\n"
    "triangles counts as free) and prints their number, then one line per hole with its\n"
    "number of points (a closed hole repeats its first point at the end) and its length.\n"
    "\n"
    "options:\n"
    "  -o HOLES.obj  write every hole as an OBJ polyline ('v' and 'l' records)\n"
    "  --force       allow HOLES.obj to be the same file as IN.obj\n"
    "  -h, --help    show this help\n"
    "\n"
    "exit status: 0 done, 1 unreadable or unwritable file, 2 bad arguments\n";

std::string FormatNumber(double iValue)
{
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", iValue);
  return text;
}

// One polyline per hole over its own 'v' records; a closed hole's 'l' record comes back to
// its first vertex, as the curve does.
std::string PolylinesText(const KelListPtrKelCldMeshCurve& iHoles)
{
  std::string text;
  int nbWritten = 0;
  for (int k = 1; k <= iHoles.Size(); ++k) {
    const KelCldMeshCurve& hole = *iHoles[k];
    const int nbVertices = hole.GetNumPoints() - (hole.IsClosedLoop() ? 1 : 0);
    std::string line = "l";
    for (int i = 1; i <= nbVertices; ++i) {
      KelMathPoint position;
      hole.GetPoint(i, position);
      char record[96];
      std::snprintf(record, sizeof record, "v %.9g %.9g %.9g\n", position.GetX(), position.GetY(), position.GetZ());
      text += record;
      line += " " + std::to_string(nbWritten + i);
    }
    if (hole.IsClosedLoop()) line += " " + std::to_string(nbWritten + 1);
    text += line + "\n";
    nbWritten += nbVertices;
  }
  return text;
}

}  // namespace

int KelRunHoles(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("holes", iArgc, iArgv, {"--force"}, {"-o"}, arguments)) return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 1) return KelUsageError("holes", "expected one IN.obj");
  const std::string& input = arguments._positional[0];
  const std::string output = arguments.Value("-o", "");
  if (!output.empty() && !arguments.HasFlag("--force") && KelIsSameFile(input, output))
    return KelFailure("refusing to overwrite the input '" + input + "' with '" + output + "' (use --force)");

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(input, polygon, error)) return KelFailure(error);
  const KelCldHoles table(&polygon);
  const KelListPtrKelCldMeshCurve& holes = table.GetHoles();
  if (!output.empty() && !KelWriteTextFile(output, PolylinesText(holes), &error)) return KelFailure(error);

  std::printf("holes: %d\n", holes.Size());
  for (int k = 1; k <= holes.Size(); ++k)
    std::printf("hole %d: %d points, length %s\n", k, holes[k]->GetNumPoints(),
                FormatNumber(holes[k]->GetLength()).c_str());
  return KelExitOk;
}
