#include "KelCldBody.h"

KelImplementClassIn(KelCldBody, KelBaseUnknown, KelMetaImplementation, "KelPlatform")

KelCldBody::~KelCldBody()
{
  for (KelBaseUnknown* cell : _cells) cell->Release();
}

int KelCldBody::AddCell(KelBaseUnknown* iCell)
{
  if (iCell) {
    iCell->AddRef();
    _cells.push_back(iCell);
  }
  return GetNbCells();
}

KelBaseUnknown* KelCldBody::GetCell(int iIndex) const
{
  return iIndex >= 1 && iIndex <= GetNbCells() ? _cells[static_cast<size_t>(iIndex - 1)] : nullptr;
}
