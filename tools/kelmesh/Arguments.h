#ifndef Arguments_h
#define Arguments_h
// Command-line parsing shared by the subcommands: options first-class, one-line errors.

#include <map>
#include <string>
#include <vector>

// Exit statuses of the tool.
enum KelExitStatus { KelExitOk = 0, KelExitFailure = 1, KelExitUsage = 2, KelExitInterrupted = 130 };

struct KelArguments {
  std::vector<std::string> _positional;
  std::map<std::string, std::string> _values;  // options that take a value
  std::vector<std::string> _flags;             // options without value that were given
  bool _help = false;

  bool HasFlag(const std::string& iName) const;
  // The option's value, or iDefault when it was not given.
  std::string Value(const std::string& iName, const std::string& iDefault) const;
};

// Parses the arguments after the subcommand name. iFlags and iValued list the accepted
// options ("--json", "--out"); "--name=value" and "--name value" both work for valued ones,
// "--" ends the options. On a bad option prints one line naming iCommand and returns false.
bool KelParseArguments(const char* iCommand, int iArgc, char** iArgv, const std::vector<std::string>& iFlags,
                       const std::vector<std::string>& iValued, KelArguments& oArguments);

// Prints "kelmesh: <command>: <message> (see 'kelmesh <command> --help')" and returns
// KelExitUsage.
int KelUsageError(const char* iCommand, const std::string& iMessage);

// Prints "kelmesh: <message>" on stderr and returns KelExitFailure.
int KelFailure(const std::string& iMessage);

// Prints "kelmesh: interrupted" on stderr and returns KelExitInterrupted.
int KelInterrupted();

#endif
