#ifndef KelFatalError_h
#define KelFatalError_h
// The fatal-error routine: a broken internal precondition stops the process.
//
// The message written to stderr is "AssertionFailed:<condition text>" on one line, then
// "<source path>, line <n>". The source path is the file's path from the framework directory
// with the extension dropped (for example KelPolyMeshOperatorsBase/KelCldExtensions.m/src/KelCldMesh),
// and the line is the real line of the check. Assertions are active in every build type.
// A test can install a handler; the routine still never returns (a handler that returns is
// followed by abort()).

typedef void (*KelFatalErrorHandler)(const char* iMessage, const char* iSourcePath, int iLine);

[[noreturn]] void KelFatalError(const char* iMessage, const char* iFile, int iLine);

// Installs a handler called before the process stops; returns the previous one. Null restores
// the default (print to stderr).
KelFatalErrorHandler KelSetFatalErrorHandler(KelFatalErrorHandler iHandler);

// Source path as reported in messages: from "KelPolyMeshOperatorsBase/" or "Platform/" on,
// without the extension. Writes into oPath (at most iSize bytes, terminated).
void KelFatalErrorSourcePath(const char* iFile, char* oPath, int iSize);

// Checks a condition; the message carries the condition's source text.
#define KelAssert(cond) \
  do { if (!(cond)) KelFatalError("AssertionFailed:" #cond, __FILE__, __LINE__); } while (0)

// Checks a condition whose reported text is given explicitly (the text callers rely on).
#define KelAssertText(cond, text) \
  do { if (!(cond)) KelFatalError("AssertionFailed:" text, __FILE__, __LINE__); } while (0)

#endif
