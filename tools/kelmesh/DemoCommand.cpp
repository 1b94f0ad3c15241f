#include <cstdio>
#include <filesystem>
#include <system_error>

#include "Arguments.h"
#include "Commands.h"
#include "DemoSteps.h"
#include "KelErrnoText.h"

namespace {

const char* const kUsage =
    "usage: kelmesh demo [--out DIR] [--in FILE.obj]\n"
    "\n"
    "Walks through the library on a sample mesh, printing each step: counts, bounding box,\n"
    "neighbourhood queries, loops of free edges, a point projection, a written copy read\n"
    "back, and a hole opened by removing a vertex. Results go under DIR:\n"
    "  sample-info.json   the counts of 'kelmesh info --json'\n"
    "  sample-copy.obj    the sample as written by kelmesh\n"
    "  sample-holed.obj   the sample with its first vertex removed\n"
    "\n"
    "options:\n"
    "  --out DIR      output directory, created if needed (default: out)\n"
    "  --in FILE.obj  mesh to use instead of the bundled sample\n"
    "  -h, --help     show this help\n";

}  // namespace

int KelRunDemo(int iArgc, char** iArgv)
{
  KelArguments arguments;
  if (!KelParseArguments("demo", iArgc, iArgv, {}, {"--out", "--in"}, arguments)) return KelExitUsage;
  if (arguments._help) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (!arguments._positional.empty()) return KelUsageError("demo", "unexpected argument '" + arguments._positional[0] + "'");

  KelDemoContext context;
  context._inputPath = arguments.Value("--in", KELMESH_SAMPLE);
  context._outDir = arguments.Value("--out", "out");
  while (context._outDir.size() > 1 && context._outDir.back() == '/') context._outDir.pop_back();
  std::error_code error;
  std::filesystem::create_directories(context._outDir, error);
  if (error || !std::filesystem::is_directory(context._outDir))
    return KelFailure("cannot create directory '" + context._outDir + "': " +
                      (error ? KelErrnoText(error.value()) : std::string("not a directory")));

  const std::vector<KelDemoStep>& steps = KelDemoSteps();
  for (size_t k = 0; k < steps.size(); ++k) {
    std::printf("[%zu/%zu] %s\n", k + 1, steps.size(), steps[k]._title);
    if (!steps[k]._run(context)) {
      std::fflush(stdout);
      return KelFailure(context._error);
    }
  }
  std::printf("done: results in %s/\n", context._outDir.c_str());
  return KelExitOk;
}
