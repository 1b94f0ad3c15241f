#include <cstdio>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldMeshCutOper.h"
#include "KelCldPolygon.h"
#include "KelObjWriter.h"
#include "KelProgressDisplay.h"
#include "ReadMesh.h"
#include "SameFile.h"
#include "TriangleSelection.h"

namespace {

const char* const kUsage =
    "usage: kelmesh cut IN.obj --triangles LIST -o PIECE.obj [--rest REST.obj] [--force]\n"
    "\n"
    "Cuts a selection of triangles out of IN.obj: PIECE.obj receives the selected triangles\n"
    "(shared vertices copied once, so the piece keeps its connectivity) and REST.obj, when\n"
    "given, the mesh without them. IN.obj itself is never changed.\n"
    "\n"
    "LIST is a range A-B (triangles A to B, both included) or a text file of triangle\n"
    "numbers separated by blanks, commas or new lines ('#' starts a comment). Triangles are\n"
    "numbered from 1 in the order of the file (a polygon face counts as its triangles).\n"
    "\n"
    "options:\n"
    "  --triangles LIST  the selection (required)\n"
    "  -o PIECE.obj      where to write the selected triangles (required)\n"
    "  --rest REST.obj   where to write the remaining triangles\n"
    "  --force           allow an output to be the same file as IN.obj\n"
    "  --progress        show a progress bar on stderr even when it is not a terminal\n"
    "  -h, --help        show this help\n"
    "\n"
    "exit status: 0 done, 1 unreadable or unwritable file, 2 bad arguments or selection,\n"
    "130 interrupted (nothing written)\n";

}  // namespace

int KelRunCut(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("cut", iArgc, iArgv, {"--force", "--progress"}, {"--triangles", "-o", "--rest"}, arguments))
    return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 1) return KelUsageError("cut", "expected one IN.obj");
  const std::string& input = arguments._positional[0];
  const std::string list = arguments.Value("--triangles", "");
  const std::string piecePath = arguments.Value("-o", "");
  const std::string restPath = arguments.Value("--rest", "");
  if (list.empty()) return KelUsageError("cut", "missing --triangles LIST");
  if (piecePath.empty()) return KelUsageError("cut", "missing -o PIECE.obj");
  if (!restPath.empty() && KelIsSameFile(piecePath, restPath))
    return KelUsageError("cut", "the piece and the rest must go to different files");
  for (const std::string* output : {&piecePath, &restPath})
    if (!output->empty() && !arguments.HasFlag("--force") && KelIsSameFile(input, *output))
      return KelFailure("refusing to overwrite the input '" + input + "' with '" + *output + "' (use --force)");

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(input, polygon, error)) return KelFailure(error);
  KelRawCollint triangles;
  if (!KelParseTriangleSelection(list, polygon, triangles, error)) {
    std::fprintf(stderr, "kelmesh: cut: %s\n", error.c_str());
    return KelExitUsage;
  }

  KelProgressDisplay progress("cut", KelProgressDisplay::StreamFor(arguments.HasFlag("--progress")));
  KelCldPolygon piece;
  KelCldMeshCutOper cut;
  cut.SetCallback(progress.GetCallback());
  const bool done = cut.Run(&polygon, triangles, &piece) != FALSE;
  progress.Finish();
  if (progress.WasInterrupted()) return KelInterrupted();
  if (!done) return KelFailure("cut: the selection could not be cut out of '" + input + "'");

  if (!KelWriteObj(piece, piecePath, &error)) return KelFailure(error);
  if (!restPath.empty() && !KelWriteObj(polygon, restPath, &error)) {
    std::remove(piecePath.c_str());
    return KelFailure(error);
  }
  std::printf("%s: %d vertices, %d triangles\n", piecePath.c_str(), piece.GetNbVertices(), piece.GetNbTriangles(0));
  if (!restPath.empty())
    std::printf("%s: %d vertices, %d triangles\n", restPath.c_str(), polygon.GetNbVertices(), polygon.GetNbTriangles(0));
  return KelExitOk;
}
