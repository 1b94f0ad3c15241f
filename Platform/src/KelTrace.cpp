#include "KelTrace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

struct TraceSwitches {
  bool loaded = false;
  bool all = false;
  std::set<std::string> on;
  std::set<std::string> off;

  void Load()
  {
    if (loaded) return;
    loaded = true;
    const char* env = std::getenv("KEL_TRACE");
    if (!env) return;
    std::string list(env);
    size_t start = 0;
    while (start <= list.size()) {
      size_t comma = list.find(',', start);
      if (comma == std::string::npos) comma = list.size();
      std::string name = list.substr(start, comma - start);
      while (!name.empty() && name.front() == ' ') name.erase(name.begin());
      while (!name.empty() && name.back() == ' ') name.pop_back();
      if (name == "all") all = true;
      else if (!name.empty()) on.insert(name);
      start = comma + 1;
    }
  }
};

TraceSwitches& Switches()
{
  static TraceSwitches switches;
  return switches;
}

}  // namespace

KelTrace::KelTrace(const char* iModule, const char* iDescription, const char* iOutput)
    : _module(iModule ? iModule : ""), _description(iDescription ? iDescription : ""),
      _toStdout(iOutput && std::strcmp(iOutput, "STDOUT") == 0)
{
}

bool KelTrace::IsActive() const
{
  TraceSwitches& s = Switches();
  s.Load();
  if (s.off.count(_module)) return false;
  return s.all || s.on.count(_module) != 0;
}

void KelTrace::TraPrint(const char* iLine) const
{
  if (!IsActive()) return;
  FILE* out = _toStdout ? stdout : stderr;
  std::fprintf(out, "%s\n", iLine ? iLine : "");
}

void KelTrace::TraPrintf(const char* iFormat, ...) const
{
  if (!IsActive() || !iFormat) return;
  FILE* out = _toStdout ? stdout : stderr;
  va_list args;
  va_start(args, iFormat);
  std::vfprintf(out, iFormat, args);
  va_end(args);
}

void KelTrace::Enable(const char* iModule, bool iOn)
{
  if (!iModule) return;
  TraceSwitches& s = Switches();
  s.Load();
  if (std::strcmp(iModule, "all") == 0) {
    s.all = iOn;
    if (!iOn) s.on.clear();
    s.off.clear();
    return;
  }
  if (iOn) { s.on.insert(iModule); s.off.erase(iModule); }
  else { s.on.erase(iModule); s.off.insert(iModule); }
}

void KelTrace::Reset()
{
  TraceSwitches& s = Switches();
  s = TraceSwitches();
  s.Load();
}
