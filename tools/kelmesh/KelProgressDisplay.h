#ifndef KelProgressDisplay_h
#define KelProgressDisplay_h
// Progress of the operators the tool runs, and Ctrl-C.
//
// The display owns the root progress callback handed to operators. When shown it draws one
// bar line on its stream, redrawn when the whole percentage changes. While it lives, SIGINT
// does not kill the process: it makes the callback answer FALSE at the operator's next
// report, so the operator stops cleanly, and WasInterrupted() tells the command not to write
// anything. A second Ctrl-C kills the process as usual.

#include <cstdio>
#include <string>

class KelFuzCallback;

class KelProgressDisplay {
public:
  // iStream null: nothing is drawn.
  KelProgressDisplay(const std::string& iLabel, std::FILE* iStream);
  ~KelProgressDisplay();
  KelProgressDisplay(const KelProgressDisplay&) = delete;
  KelProgressDisplay& operator=(const KelProgressDisplay&) = delete;

  // stderr when asked for or when stderr is a terminal, null otherwise.
  static std::FILE* StreamFor(bool iRequested);

  // The callback to give operators (SetCallback takes its own reference).
  KelFuzCallback* GetCallback() const { return _callback; }
  // Ctrl-C was pressed while the display lived.
  bool WasInterrupted() const;
  // Ends the bar line, if one was drawn.
  void Finish();

private:
  void Draw(int iPercent);

  std::string _label;
  std::FILE* _stream;
  KelFuzCallback* _callback;
  bool _drawn = false;
  void (*_previousHandler)(int) = nullptr;
};

#endif
