#ifndef KelTimer_h
#define KelTimer_h
// Wall-clock stopwatch. GetElapsed is in milliseconds; callers print seconds.

#include <chrono>

class KelTimer {
public:
  KelTimer() = default;
  void Start() { _start = Clock::now(); _running = true; }
  void Stop() { if (_running) { _elapsed += Clock::now() - _start; _running = false; } }
  void Reset() { _elapsed = Clock::duration::zero(); _running = false; }
  // Accumulated time of the Start/Stop intervals, including a running one, in milliseconds.
  double GetElapsed() const
  {
    Clock::duration total = _elapsed;
    if (_running) total += Clock::now() - _start;
    return std::chrono::duration<double, std::milli>(total).count();
  }

private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point _start{};
  Clock::duration _elapsed{Clock::duration::zero()};
  bool _running = false;
};

#endif
