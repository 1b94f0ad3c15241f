#include "KelFuzCallback.h"

#include <algorithm>
#include <cmath>

namespace {
double ClampPercent(double iPercent) { return std::isnan(iPercent) ? 0.0 : std::clamp(iPercent, 0.0, 100.0); }
}  // namespace

KelImplementClassIn(KelPolyCallback, KelBaseUnknown, KelMetaImplementation, "KelPlatform")
KelImplementClassIn(KelFuzCallback, KelPolyCallback, KelMetaImplementation, "KelPlatform")

KelPolyCallback::KelPolyCallback(Handler iHandler) : _handler(std::move(iHandler)) {}

KelBoolean KelPolyCallback::SetProgress(int iPercent) { return Report(ClampPercent(iPercent)); }

KelBoolean KelPolyCallback::SetProgress(double iDone, double iTotal)
{
  return Report(iTotal > 0.0 ? ClampPercent(100.0 * iDone / iTotal) : 100.0);
}

KelBoolean KelPolyCallback::Report(double iPercent)
{
  _progress = iPercent;
  if (_interrupted) return FALSE;
  const int whole = static_cast<int>(std::floor(iPercent));
  if (whole != _lastNotified) {
    _lastNotified = whole;
    if (!OnProgress(whole)) _interrupted = true;
  }
  return _interrupted ? FALSE : TRUE;
}

bool KelPolyCallback::OnProgress(int iPercent) { return _handler ? _handler(iPercent) : true; }

KelFuzCallback::KelFuzCallback(KelPolyCallback* iParent, int iFrom, int iTo)
    : _parent(iParent), _from(std::clamp(std::min(iFrom, iTo), 0, 100)), _to(std::clamp(std::max(iFrom, iTo), 0, 100))
{
  if (_parent) _parent->AddRef();
}

KelFuzCallback::~KelFuzCallback()
{
  if (_parent) _parent->Release();
}

KelBoolean KelFuzCallback::Report(double iPercent)
{
  if (!KelPolyCallback::Report(iPercent)) return FALSE;
  if (!_parent) return TRUE;
  return _parent->Report(_from + (_to - _from) * iPercent / 100.0);
}
