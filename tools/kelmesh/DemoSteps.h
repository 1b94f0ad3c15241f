#ifndef DemoSteps_h
#define DemoSteps_h
// The steps of `kelmesh demo`, run in order on one polygon. A new demonstration is one more
// function and one more entry in the list.

#include <string>
#include <vector>

#include "KelCldPolygon.h"
#include "MeshSummary.h"

struct KelDemoContext {
  std::string _inputPath;
  std::string _outDir;
  KelCldPolygon _polygon;
  KelMeshSummary _summary;  // of the sample as read
  std::string _error;       // set by a failing step, without the "kelmesh: " prefix

  std::string OutputPath(const std::string& iName) const;
  // Write under the output directory; false with _error set on failure. Refuse to replace
  // the input.
  bool WriteText(const std::string& iName, const std::string& iText);
  bool WriteMesh(const std::string& iName, const KelCldPolygon& iPolygon);
  // True, with _error set, when iPath is the input file.
  bool OverwritesInput(const std::string& iPath);
};

struct KelDemoStep {
  const char* _title;
  bool (*_run)(KelDemoContext& ioContext);
};

const std::vector<KelDemoStep>& KelDemoSteps();

#endif
