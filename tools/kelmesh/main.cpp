// kelmesh: a command-line front end to the mesh library, for looking at meshes and trying
// the operators on them.

#include <cstdio>
#include <cstring>

#include "Arguments.h"
#include "Commands.h"

namespace {

struct KelCommand {
  const char* _name;
  int (*_run)(int iArgc, char** iArgv);
};

const KelCommand kCommands[] = {
    {"info", KelRunInfo},
    {"convert", KelRunConvert},
    {"demo", KelRunDemo},
    {"validate", KelRunValidate},
    {"cut", KelRunCut},
    {"smooth", KelRunSmooth},
    {"holes", KelRunHoles},
    {"decimate", KelRunDecimate},
};

const char* const kUsage =
    "usage: kelmesh COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  info FILE.obj [--json]             counts, free and non-manifold edges, components\n"
    "                                     and bounding box of a mesh\n"
    "  convert IN.obj OUT.obj [--force]   read a mesh and write it back as a compact OBJ\n"
    "  demo [--out DIR] [--in FILE.obj]   walk through the library on the bundled sample\n"
    "  validate FILE.obj                  check that no edge has more than two triangles\n"
    "  cut IN.obj --triangles LIST -o PIECE.obj [--rest REST.obj]\n"
    "                                     cut a selection of triangles out of a mesh\n"
    "  smooth IN.obj -o OUT.obj [--method laplacian|coons] [--intensity P] [--iterations N]\n"
    "                                     move vertices toward their neighbours\n"
    "  holes IN.obj [-o HOLES.obj]        count and measure the holes, or write them as polylines\n"
    "  decimate IN.obj -o OUT.obj (--triangles N | --percent P | --deviation D | --edge-length L)\n"
    "                                     reduce the number of triangles by edge collapses\n"
    "\n"
    "options:\n"
    "  -h, --help  show this help ('kelmesh COMMAND --help' for a command)\n"
    "  --version   show the version\n";

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 2) {
    std::fputs("kelmesh: missing command (see 'kelmesh --help')\n", stderr);
    return KelExitUsage;
  }
  const char* name = argv[1];
  if (!std::strcmp(name, "-h") || !std::strcmp(name, "--help") || !std::strcmp(name, "help")) {
    std::fputs(kUsage, stdout);
    return KelExitOk;
  }
  if (!std::strcmp(name, "--version")) {
    std::printf("kelmesh %s\n", KELMESH_VERSION);
    return KelExitOk;
  }
  for (const KelCommand& command : kCommands)
    if (!std::strcmp(name, command._name)) return command._run(argc - 2, argv + 2);

  const char* kind = name[0] == '-' ? "unknown option" : "unknown command";
  std::fprintf(stderr, "kelmesh: %s '%s' (see 'kelmesh --help')\n", kind, name);
  return KelExitUsage;
}
