#ifndef KelCldBody_h
#define KelCldBody_h
// A body of the modeller: an ordered set of cells, each an object of the object model (cloud
// polygons among others). Callers find the cells of a given type by asking each one for the
// interface of that type.
//
// - The body holds one reference on each cell, taken by AddCell and given back when the body
//   is destroyed.
// - Cells are numbered from 1 in the order they were added; GetCell answers null outside
//   1..GetNbCells() and adds no reference.

#include <vector>

#include "KelBaseUnknown.h"

class KelCldBody : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldBody() = default;
  ~KelCldBody() override;
  KelCldBody(const KelCldBody&) = delete;
  KelCldBody& operator=(const KelCldBody&) = delete;

  // Returns the new number of cells; a null cell is ignored.
  int AddCell(KelBaseUnknown* iCell);
  int GetNbCells() const { return static_cast<int>(_cells.size()); }
  KelBaseUnknown* GetCell(int iIndex) const;

private:
  std::vector<KelBaseUnknown*> _cells;  // one reference each
};

#endif
