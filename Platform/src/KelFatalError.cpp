#include "KelFatalError.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {
KelFatalErrorHandler gHandler = nullptr;
}

KelFatalErrorHandler KelSetFatalErrorHandler(KelFatalErrorHandler iHandler)
{
  KelFatalErrorHandler previous = gHandler;
  gHandler = iHandler;
  return previous;
}

void KelFatalErrorSourcePath(const char* iFile, char* oPath, int iSize)
{
  if (!oPath || iSize <= 0) return;
  oPath[0] = 0;
  if (!iFile) return;
  // The root is the last whole directory named after the framework or the platform, so that
  // a checkout living under a directory of the same name still reports the relative path.
  const char* start = iFile;
  for (const char* root : {"KelPolyMeshOperatorsBase/", "Platform/"})
    for (const char* p = std::strstr(iFile, root); p; p = std::strstr(p + 1, root))
      if ((p == iFile || p[-1] == '/') && p > start) start = p;
  const char* dot = std::strrchr(start, '.');
  const char* slash = std::strrchr(start, '/');
  size_t length = (dot && (!slash || dot > slash)) ? static_cast<size_t>(dot - start) : std::strlen(start);
  if (length >= static_cast<size_t>(iSize)) length = static_cast<size_t>(iSize) - 1;
  std::memcpy(oPath, start, length);
  oPath[length] = 0;
}

void KelFatalError(const char* iMessage, const char* iFile, int iLine)
{
  char path[512];
  KelFatalErrorSourcePath(iFile, path, sizeof(path));
  if (gHandler) gHandler(iMessage ? iMessage : "", path, iLine);
  std::fprintf(stderr, "%s\n%s, line %d\n", iMessage ? iMessage : "", path, iLine);
  std::fflush(stderr);
  std::abort();
}
