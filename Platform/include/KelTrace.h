#ifndef KelTrace_h
#define KelTrace_h
// Per-module diagnostic traces.
//
// Each module owns one trace object, for example
//   KelTrace KelKelCldExtensionsTrace("KelCldExtensions", "Traces for module KelCldExtensions", "STDERR");
// Traces are off by default. A module's traces are switched on by KelTrace::Enable(name) or by
// the environment variable KEL_TRACE, a comma-separated list of module names or "all", read
// when a trace is first asked whether it is on. Output goes to stderr ("STDERR"), or stdout
// when the output name is "STDOUT".

#include <cstdarg>

class KelTrace {
public:
  KelTrace(const char* iModule, const char* iDescription, const char* iOutput = "STDERR");
  KelTrace(const KelTrace&) = delete;
  KelTrace& operator=(const KelTrace&) = delete;

  const char* GetModule() const { return _module; }
  const char* GetDescription() const { return _description; }

  // True when the module's traces are switched on.
  bool IsActive() const;

  // One plain line (a newline is added).
  void TraPrint(const char* iLine) const;
  // A printf-style line, written as formatted (no newline added).
  void TraPrintf(const char* iFormat, ...) const
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // Switches traces on or off for one module name, or for every module with "all".
  static void Enable(const char* iModule, bool iOn = true);
  // Forgets every switch made by Enable and reads KEL_TRACE again.
  static void Reset();

private:
  const char* _module;
  const char* _description;
  bool _toStdout;
};

#endif
