#include <cstdio>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldPolygon.h"
#include "MeshSummary.h"
#include "ReadMesh.h"

namespace {

const char* const kUsage =
    "usage: kelmesh info FILE.obj [--json]\n"
    "\n"
    "Reads a mesh and prints one 'name: value' line per count:\n"
    "  vertices            points used by at least one triangle\n"
    "  points              points of the file\n"
    "  triangles           triangles\n"
    "  free_edges          edges used by exactly one triangle side (hole borders)\n"
    "  non_manifold_edges  edges used by more than two triangle sides\n"
    "  components          groups of triangles joined through shared vertices\n"
    "  edges               unique edges of the triangles (the edge table's live edges)\n"
    "  euler               Euler characteristic: vertices - edges + triangles\n"
    "  area                sum of the triangle areas\n"
    "  volume              enclosed volume, holes closed by a fan from their border's centroid\n"
    "  holes               loops of free edges (an edge with more than two triangles counts\n"
    "                      as free)\n"
    "  bbox_min, bbox_max  corners of the bounding box of the vertices\n"
    "\n"
    "options:\n"
    "  --json      print one JSON object with the same names instead\n"
    "  -h, --help  show this help\n";

}  // namespace

int KelRunInfo(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("info", iArgc, iArgv, {"--json"}, {}, arguments)) return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 1) return KelUsageError("info", "expected one FILE.obj");

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(arguments._positional[0], polygon, error)) return KelFailure(error);
  const KelMeshSummary summary = KelSummarizeMesh(polygon);
  const std::string text = arguments.HasFlag("--json") ? KelFormatSummaryJson(summary) : KelFormatSummary(summary);
  std::fputs(text.c_str(), stdout);
  return KelExitOk;
}
