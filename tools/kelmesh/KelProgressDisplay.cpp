#include "KelProgressDisplay.h"

#include <unistd.h>

#include <csignal>

#include "KelFuzCallback.h"

namespace {

volatile std::sig_atomic_t gInterruptRequested = 0;

extern "C" void OnInterrupt(int)
{
  gInterruptRequested = 1;
  // The next Ctrl-C ends the process even if no operator reports progress any more.
  std::signal(SIGINT, SIG_DFL);
}

// Root callback: every report also looks at the Ctrl-C flag, not only those that change the
// displayed percentage.
class KelInterruptibleCallback : public KelFuzCallback {
public:
  KelInterruptibleCallback() : KelFuzCallback(nullptr, 0, 100) {}

protected:
  KelBoolean Report(double iPercent) override
  {
    if (gInterruptRequested) Interrupt();
    return KelFuzCallback::Report(iPercent);
  }
};

}  // namespace

KelProgressDisplay::KelProgressDisplay(const std::string& iLabel, std::FILE* iStream)
    : _label(iLabel), _stream(iStream), _callback(new KelInterruptibleCallback)
{
  _callback->SetHandler([this](int iPercent) {
    Draw(iPercent);
    return !gInterruptRequested;
  });
  gInterruptRequested = 0;
  _previousHandler = std::signal(SIGINT, OnInterrupt);
}

KelProgressDisplay::~KelProgressDisplay()
{
  std::signal(SIGINT, _previousHandler == SIG_ERR ? SIG_DFL : _previousHandler);
  Finish();
  _callback->Release();
}

std::FILE* KelProgressDisplay::StreamFor(bool iRequested)
{
  return iRequested || ::isatty(STDERR_FILENO) ? stderr : nullptr;
}

bool KelProgressDisplay::WasInterrupted() const { return gInterruptRequested || _callback->IsInterrupted(); }

void KelProgressDisplay::Draw(int iPercent)
{
  if (!_stream) return;
  const int width = 40, filled = iPercent * width / 100;
  std::fprintf(_stream, "\r%s [%s%s] %3d%%", _label.c_str(), std::string(filled, '#').c_str(),
               std::string(width - filled, ' ').c_str(), iPercent);
  std::fflush(_stream);
  _drawn = true;
}

void KelProgressDisplay::Finish()
{
  if (!_drawn) return;
  std::fputc('\n', _stream);
  std::fflush(_stream);
  _drawn = false;
}
