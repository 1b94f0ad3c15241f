#ifndef KelPolyCallback_h
#define KelPolyCallback_h
// Progress and interruption callback of long operations (reference counted).
//
// Work reports how far it is with SetProgress, on its own 0..100 % scale; a FALSE answer
// means that the host asked to interrupt, and the work stops. The host receives progress
// through a handler (or by overriding OnProgress) and asks to stop either by returning false
// from it or by calling Interrupt. An interrupt request is kept: every later SetProgress
// answers FALSE. The handler is called only when the whole percentage changes, so that
// reports after each small unit of work stay cheap. KelFuzCallback maps a nested
// operation's progress into a range of its parent's. Implemented in KelFuzCallback.cpp.

#include <functional>

#include "KelBaseUnknown.h"

class KelPolyCallback : public KelBaseUnknown {
  KelDeclareClass

public:
  // Receives the whole percentage; false asks to interrupt.
  typedef std::function<bool(int iPercent)> Handler;

  KelPolyCallback() = default;
  explicit KelPolyCallback(Handler iHandler);
  KelPolyCallback(const KelPolyCallback&) = delete;
  KelPolyCallback& operator=(const KelPolyCallback&) = delete;

  // iPercent % of the work is done (clamped to 0..100). FALSE: stop the work.
  KelBoolean SetProgress(int iPercent);
  // iDone out of iTotal units are done; a total that is not positive counts as finished.
  KelBoolean SetProgress(double iDone, double iTotal);

  void SetHandler(Handler iHandler) { _handler = std::move(iHandler); }
  // Asks the work reporting here, or to a child of this callback, to stop.
  void Interrupt() { _interrupted = true; }
  bool IsInterrupted() const { return _interrupted; }
  // The last progress reported on this callback's own scale, in %.
  double GetProgress() const { return _progress; }

protected:
  friend class KelFuzCallback;
  // Takes a percentage already clamped to 0..100 and answers whether to go on.
  virtual KelBoolean Report(double iPercent);
  // Called when the whole percentage changes; false asks to interrupt. Default: the handler.
  virtual bool OnProgress(int iPercent);

private:
  Handler _handler;
  bool _interrupted = false;
  double _progress = 0.0;
  int _lastNotified = -1;
};

#endif
