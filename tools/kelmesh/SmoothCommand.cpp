#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldCoonsSmoothOper.h"
#include "KelCldLaplacianSmoothOper.h"
#include "KelCldPolygon.h"
#include "KelFuzCallback.h"
#include "KelObjWriter.h"
#include "KelProgressDisplay.h"
#include "ReadMesh.h"
#include "SameFile.h"

namespace {

const char* const kUsage =
    "usage: kelmesh smooth IN.obj -o OUT.obj [--method laplacian|coons] [--intensity P]\n"
    "                      [--iterations N] [--boundary] [--force] [--progress]\n"
    "\n"
    "Moves every vertex toward a target computed from its neighbours, in place, one vertex\n"
    "after the other; the triangles are kept as they are.\n"
    "  laplacian  the mean of the neighbours (flattens and shrinks)\n"
    "  coons      1.5 x the neighbours' mean - 0.5 x the mean of the vertices opposite the\n"
    "             vertex's triangles (flattens, shrinks less)\n"
    "\n"
    "options:\n"
    "  -o OUT.obj         where to write the smoothed mesh (required)\n"
    "  --method M         laplacian (default) or coons\n"
    "  --intensity P      how far each vertex goes toward its target, in percent (0-100,\n"
    "                     default 100)\n"
    "  --iterations N     number of passes (default 1)\n"
    "  --boundary         move vertices on holes too (by default they stay in place)\n"
    "  --force            allow OUT.obj to be the same file as IN.obj\n"
    "  --progress         show a progress bar on stderr even when it is not a terminal\n"
    "  -h, --help         show this help\n"
    "\n"
    "exit status: 0 done, 1 unreadable or unwritable file, 2 bad arguments, 130 interrupted\n"
    "(nothing written)\n";

// The whole word as a number within the bounds.
bool ParseNumber(const std::string& iText, double iLow, double iHigh, double& oValue)
{
  if (iText.empty()) return false;
  char* end = nullptr;
  errno = 0;
  oValue = std::strtod(iText.c_str(), &end);
  return errno == 0 && end && *end == '\0' && oValue >= iLow && oValue <= iHigh;
}

}  // namespace

int KelRunSmooth(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("smooth", iArgc, iArgv, {"--boundary", "--force", "--progress"},
                         {"-o", "--method", "--intensity", "--iterations"}, arguments))
    return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 1) return KelUsageError("smooth", "expected one IN.obj");
  const std::string& input = arguments._positional[0];
  const std::string output = arguments.Value("-o", "");
  if (output.empty()) return KelUsageError("smooth", "missing -o OUT.obj");
  const std::string method = arguments.Value("--method", "laplacian");
  std::unique_ptr<KelCldLocalSmoothOper> smoother;
  if (method == "laplacian") smoother.reset(new KelCldLaplacianSmoothOper);
  else if (method == "coons") smoother.reset(new KelCldCoonsSmoothOper);
  else return KelUsageError("smooth", "unknown method '" + method + "' (laplacian or coons)");
  double intensity = 100.0, iterations = 1.0;
  if (!ParseNumber(arguments.Value("--intensity", "100"), 0.0, 100.0, intensity))
    return KelUsageError("smooth", "--intensity takes a percentage from 0 to 100");
  if (!ParseNumber(arguments.Value("--iterations", "1"), 1.0, 1e6, iterations) || iterations != int(iterations))
    return KelUsageError("smooth", "--iterations takes a whole number from 1 to 1000000");
  if (!arguments.HasFlag("--force") && KelIsSameFile(input, output))
    return KelFailure("refusing to overwrite the input '" + input + "' with '" + output + "' (use --force)");

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(input, polygon, error)) return KelFailure(error);
  smoother->SetIntensity(intensity);
  smoother->SetSmoothBoundary(arguments.HasFlag("--boundary") ? 1 : 0);

  KelProgressDisplay progress("smooth", KelProgressDisplay::StreamFor(arguments.HasFlag("--progress")));
  const int passes = int(iterations);
  bool interrupted = false;
  for (int pass = 1; pass <= passes && !interrupted; ++pass) {
    smoother->Run(&polygon);
    interrupted = !progress.GetCallback()->SetProgress(double(pass), double(passes));
  }
  progress.Finish();
  if (interrupted || progress.WasInterrupted()) return KelInterrupted();

  if (!KelWriteObj(polygon, output, &error)) return KelFailure(error);
  std::printf("%s: %d vertices, %d triangles, %d %s pass%s at %g%%\n", output.c_str(), polygon.GetNbVertices(),
              polygon.GetNbTriangles(0), passes, method.c_str(), passes == 1 ? "" : "es", intensity);
  return KelExitOk;
}
