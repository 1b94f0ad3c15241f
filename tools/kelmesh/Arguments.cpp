#include "Arguments.h"

#include <algorithm>
#include <cstdio>

bool KelArguments::HasFlag(const std::string& iName) const
{
  return std::find(_flags.begin(), _flags.end(), iName) != _flags.end();
}

std::string KelArguments::Value(const std::string& iName, const std::string& iDefault) const
{
  const auto found = _values.find(iName);
  return found == _values.end() ? iDefault : found->second;
}

bool KelParseArguments(const char* iCommand, int iArgc, char** iArgv, const std::vector<std::string>& iFlags,
                       const std::vector<std::string>& iValued, KelArguments& oArguments)
{
  oArguments = KelArguments();
  bool optionsEnded = false;
  for (int i = 0; i < iArgc; ++i) {
    const std::string word = iArgv[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      oArguments._positional.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    if (word == "-h" || word == "--help") {
      oArguments._help = true;
      continue;
    }
    const size_t equal = word.find('=');
    const std::string name = word.substr(0, equal);
    if (std::find(iValued.begin(), iValued.end(), name) != iValued.end()) {
      if (equal != std::string::npos) {
        oArguments._values[name] = word.substr(equal + 1);
      } else if (i + 1 < iArgc) {
        oArguments._values[name] = iArgv[++i];
      } else {
        KelUsageError(iCommand, "option '" + name + "' needs a value");
        return false;
      }
      continue;
    }
    if (equal == std::string::npos && std::find(iFlags.begin(), iFlags.end(), word) != iFlags.end()) {
      oArguments._flags.push_back(word);
      continue;
    }
    KelUsageError(iCommand, "unknown option '" + word + "'");
    return false;
  }
  return true;
}

int KelUsageError(const char* iCommand, const std::string& iMessage)
{
  std::fprintf(stderr, "kelmesh: %s: %s (see 'kelmesh %s --help')\n", iCommand, iMessage.c_str(), iCommand);
  return KelExitUsage;
}

int KelFailure(const std::string& iMessage)
{
  std::fprintf(stderr, "kelmesh: %s\n", iMessage.c_str());
  return KelExitFailure;
}

int KelInterrupted()
{
  std::fputs("kelmesh: interrupted\n", stderr);
  return KelExitInterrupted;
}
