#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Arguments.h"
#include "Commands.h"
#include "KelCldDecimateOper.h"
#include "KelCldDecimatePlusOper.h"
#include "KelCldPolygon.h"
#include "KelObjWriter.h"
#include "KelProgressDisplay.h"
#include "KelTimer.h"
#include "ReadMesh.h"
#include "SameFile.h"

namespace {

const char* const kUsage =
    "usage: kelmesh decimate IN.obj -o OUT.obj (--triangles N | --percent P | --deviation D |\n"
    "                        --edge-length L) [--metric quadric|length] [--freeze-boundary]\n"
    "                        [--plus] [--json] [--force] [--progress]\n"
    "\n"
    "Reduces the number of triangles by collapsing edges, cheapest first, until one bound is\n"
    "reached:\n"
    "  --triangles N     keep N triangles\n"
    "  --percent P       remove P % of the vertices\n"
    "  --deviation D     stop when the cheapest collapse would move the surface by about D\n"
    "                    (quadric metric)\n"
    "  --edge-length L   stop when every edge is at least L long (length metric)\n"
    "Bounds are positive and below 1e15.\n"
    "\n"
    "options:\n"
    "  -o OUT.obj         where to write the result (required)\n"
    "  --metric M         quadric (quadric error, default) or length (shortest edges first);\n"
    "                     --deviation implies quadric and --edge-length implies length\n"
    "  --freeze-boundary  leave the borders of holes, and the vertices next to them, alone\n"
    "  --plus             then remove small-angle triangles (quadric metric only)\n"
    "  --json             print one JSON object (triangles_before, triangles_after, seconds)\n"
    "  --force            allow OUT.obj to be the same file as IN.obj\n"
    "  --progress         show a progress bar on stderr even when it is not a terminal\n"
    "  -h, --help         show this help\n"
    "\n"
    "The time printed is the decimation's alone, without reading and writing.\n"
    "exit status: 0 done, 1 unreadable or unwritable file or failed decimation, 2 bad\n"
    "arguments, 130 interrupted (nothing written)\n";

bool ParseBound(const std::string& iText, double& oValue)
{
  if (iText.empty()) return false;
  char* end = nullptr;
  errno = 0;
  oValue = std::strtod(iText.c_str(), &end);
  return errno == 0 && end && *end == '\0' && oValue > 0.0 && oValue < 1e15;
}

}  // namespace

int KelRunDecimate(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("decimate", iArgc, iArgv, {"--freeze-boundary", "--plus", "--json", "--force", "--progress"},
                         {"-o", "--triangles", "--percent", "--deviation", "--edge-length", "--metric"}, arguments))
    return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (arguments._positional.size() != 1) return KelUsageError("decimate", "expected one IN.obj");
  const std::string& input = arguments._positional[0];
  const std::string output = arguments.Value("-o", "");
  if (output.empty()) return KelUsageError("decimate", "missing -o OUT.obj");

  const char* const bounds[] = {"--triangles", "--percent", "--deviation", "--edge-length"};
  std::string bound;
  for (const char* name : bounds) {
    if (!arguments._values.count(name)) continue;
    if (!bound.empty()) return KelUsageError("decimate", "give only one of --triangles, --percent, --deviation, --edge-length");
    bound = name;
  }
  if (bound.empty()) return KelUsageError("decimate", "give one of --triangles, --percent, --deviation, --edge-length");
  double value = 0.0;
  if (!ParseBound(arguments.Value(bound, ""), value))
    return KelUsageError("decimate", bound + " takes a positive number below 1e15");
  if (bound == "--triangles" && value != static_cast<double>(static_cast<long long>(value)))
    return KelUsageError("decimate", "--triangles takes a whole number");

  const std::string impliedMetric = bound == "--edge-length" ? "length" : "quadric";
  const std::string metric = arguments.Value("--metric", impliedMetric);
  if (metric != "quadric" && metric != "length")
    return KelUsageError("decimate", "unknown metric '" + metric + "' (quadric or length)");
  if ((bound == "--deviation" || bound == "--edge-length") && metric != impliedMetric)
    return KelUsageError("decimate", bound + " works with the " + impliedMetric + " metric only");
  const bool plus = arguments.HasFlag("--plus");
  if (plus && metric != "quadric") return KelUsageError("decimate", "--plus works with the quadric metric only");
  if (!arguments.HasFlag("--force") && KelIsSameFile(input, output))
    return KelFailure("refusing to overwrite the input '" + input + "' with '" + output + "' (use --force)");

  KelCldPolygon polygon;
  std::string error;
  if (!KelReadMesh(input, polygon, error)) return KelFailure(error);
  const int before = polygon.GetNbTriangles(0);
  const unsigned char freeze = arguments.HasFlag("--freeze-boundary") ? 1 : 0;
  const int triangleCount = value > INT_MAX ? INT_MAX : static_cast<int>(value);

  KelProgressDisplay progress("decimate", KelProgressDisplay::StreamFor(arguments.HasFlag("--progress")));
  KelTimer timer;
  KelBoolean done = FALSE;
  if (plus) {
    KelCldDecimatePlusOper decimate;
    decimate.SetCallback(progress.GetCallback());
    decimate.SetFreezeBoundary(freeze);
    if (bound == "--triangles") decimate.SetTriangleCount(triangleCount);
    else if (bound == "--percent") decimate.SetPercentage(value);
    else decimate.SetChordalDeviation(value);
    timer.Start();
    done = decimate.Run(&polygon);
    timer.Stop();
  } else {
    KelCldDecimateOper decimate;
    decimate.SetCallback(progress.GetCallback());
    decimate.SetFreezeBoundary(freeze);
    decimate.SetDecimationType(metric == "length" ? KelCldDecimateOper::EdgeLengthDecimationType
                                                  : KelCldDecimateOper::ChordalDeviationDecimationType);
    if (bound == "--triangles") {
      decimate.SetStoppingCriterion(KelCldDecimateOper::TriangleCountStoppingCriterion);
      decimate.SetTriangleCount(triangleCount);
    } else if (bound == "--percent") {
      decimate.SetStoppingCriterion(KelCldDecimateOper::PercentageStoppingCriterion);
      decimate.SetPercentage(value);
    } else if (bound == "--deviation") {
      decimate.SetStoppingCriterion(KelCldDecimateOper::ChordalDeviationStoppingCriterion);
      decimate.SetChordalDeviation(value);
    } else {
      decimate.SetStoppingCriterion(KelCldDecimateOper::EdgeLengthStoppingCriterion);
      decimate.SetEdgeLength(value);
    }
    timer.Start();
    done = decimate.Run(&polygon);
    timer.Stop();
  }
  progress.Finish();
  if (progress.WasInterrupted()) return KelInterrupted();
  if (!done) return KelFailure("decimate: the decimation of '" + input + "' failed");

  if (!KelWriteObj(polygon, output, &error)) return KelFailure(error);
  const int after = polygon.GetNbTriangles(0);
  const double seconds = timer.GetElapsed() / 1000.0;
  if (arguments.HasFlag("--json"))
    std::printf("{\n  \"triangles_before\": %d,\n  \"triangles_after\": %d,\n  \"seconds\": %.6f\n}\n", before, after,
                seconds);
  else
    std::printf("triangles_before: %d\ntriangles_after: %d\nseconds: %.6f\n", before, after, seconds);
  return KelExitOk;
}
