#include "CldBarRecord.h"

#include <cstdint>

// The handle is the field number itself, never a real address.
KelCldAttribute* CldBarRecord::GetAttribute() const
{
  return reinterpret_cast<KelCldAttribute*>(static_cast<intptr_t>(_attribute));
}

void CldBarRecord::SetAttribute(KelCldAttribute* iAttribute)
{
  _attribute = static_cast<int>(reinterpret_cast<intptr_t>(iAttribute));
}

bool CldBarRecord::operator==(const CldBarRecord& iOther) const
{
  return (_vertex0 == iOther._vertex0 && _vertex1 == iOther._vertex1) ||
         (_vertex0 == iOther._vertex1 && _vertex1 == iOther._vertex0);
}
