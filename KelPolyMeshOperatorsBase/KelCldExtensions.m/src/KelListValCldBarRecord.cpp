#include "KelListValCldBarRecord.h"

int KelListValCldBarRecord::Append(const CldBarRecord& iRecord)
{
  _records.push_back(iRecord);
  return Size();
}

void KelListValCldBarRecord::RemoveAll() { _records.clear(); }

bool KelListValCldBarRecord::operator==(const KelListValCldBarRecord& iOther) const
{
  return _records == iOther._records;
}
