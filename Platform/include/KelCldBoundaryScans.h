#ifndef KelCldBoundaryScans_h
#define KelCldBoundaryScans_h
// The container of boundary scans that a cloud polygon may hold. Scans are numbered from 1;
// an entry may be null. The container owns its scans.

#include <memory>
#include <vector>

#include "KelCldBoundaryScan.h"

class KelCldBoundaryScans {
public:
  KelCldBoundaryScans() = default;
  KelCldBoundaryScans(const KelCldBoundaryScans&) = delete;
  KelCldBoundaryScans& operator=(const KelCldBoundaryScans&) = delete;

  int GetNbScans() const { return static_cast<int>(_scans.size()); }
  // Scan k (1-based), or null for a missing entry or a number out of range.
  KelCldBoundaryScan* GetScan(int iScan) const
  {
    return iScan >= 1 && iScan <= GetNbScans() ? _scans[static_cast<size_t>(iScan - 1)].get() : nullptr;
  }
  // Appends a scan (may be null) and takes ownership; returns its number.
  int AddScan(KelCldBoundaryScan* iScan)
  {
    _scans.emplace_back(iScan);
    return GetNbScans();
  }

private:
  std::vector<std::unique_ptr<KelCldBoundaryScan>> _scans;
};

#endif
