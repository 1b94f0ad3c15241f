#include "KelCldAttributeMgr.h"

#include <cstring>
#include <new>

KelImplementClass(KelCldAttributeMgr, KelBaseUnknown, KelMetaImplementation)

KelCldAttributeMgr::KelCldAttributeMgr(const KelCldAttributeMgr& iOther) : KelBaseUnknown(iOther) {}

KelCldAttributeMgr::~KelCldAttributeMgr() { DeleteAttributeRecords(); }

KelCldAttributeRecord* KelCldAttributeMgr::Record(int iAttribute) const
{
  if (iAttribute < 1 || iAttribute > _records.Size()) return nullptr;
  return static_cast<KelCldAttributeRecord*>(_records[iAttribute]);
}

KelBoolean KelCldAttributeMgr::Register(int iAttribute, int iSize)
{
  if (iAttribute < 1 || iSize < 0 || Record(iAttribute)) return FALSE;
  KelCldAttributeRecord* record = new (std::nothrow) KelCldAttributeRecord{GetValidOffset(iSize), iSize};
  if (!record) return FALSE;
  if (_records.Size() < iAttribute) _records.Size(iAttribute);
  _records[iAttribute] = record;
  return TRUE;
}

KelBoolean KelCldAttributeMgr::Unregister(int iAttribute)
{
  KelCldAttributeRecord* record = Record(iAttribute);
  if (!record) return FALSE;
  delete record;
  _records[iAttribute] = nullptr;
  return TRUE;
}

KelBoolean KelCldAttributeMgr::IsRegistered(int iAttribute) const { return Record(iAttribute) ? TRUE : FALSE; }

KelBoolean KelCldAttributeMgr::SetAttributeData(char* ioField, int iAttribute, const char* iValue) const
{
  const KelCldAttributeRecord* record = Record(iAttribute);
  if (!record || !ioField || !iValue) return FALSE;
  std::memcpy(ioField + record->offset, iValue, static_cast<size_t>(record->size));
  return TRUE;
}

KelBoolean KelCldAttributeMgr::GetAttributeData(char* iField, int iAttribute, char* oValue) const
{
  const KelCldAttributeRecord* record = Record(iAttribute);
  if (!record || !iField || !oValue) return FALSE;
  std::memcpy(oValue, iField + record->offset, static_cast<size_t>(record->size));
  return TRUE;
}

int KelCldAttributeMgr::GetAttributeSize(int iAttribute) const
{
  const KelCldAttributeRecord* record = Record(iAttribute);
  return record ? record->size : 0;
}

const KelCldAttributeRecord* KelCldAttributeMgr::GetAttributeRecord(int iAttribute) const { return Record(iAttribute); }

int KelCldAttributeMgr::GetMinimumSizeOfField() const
{
  int minimum = 0;
  for (int i = 1; i <= _records.Size(); ++i)
    if (const KelCldAttributeRecord* record = Record(i))
      if (record->offset + record->size > minimum) minimum = record->offset + record->size;
  return minimum;
}

int KelCldAttributeMgr::GetValidOffset(int iSize) const
{
  const int minimum = GetMinimumSizeOfField();
  if (minimum < 1) return 0;
  // First fit: candidates start at 0 and then at the ends of the records, in increasing order.
  int start = 0;
  for (;;) {
    bool rejected = false;
    int next = minimum;
    for (int i = 1; i <= _records.Size(); ++i) {
      const KelCldAttributeRecord* record = Record(i);
      if (!record) continue;
      if (record->offset >= start && record->offset < start + iSize) rejected = true;
      const int end = record->offset + record->size;
      if (end > start && end < next) next = end;
    }
    if (!rejected) return start;
    start = next;
    if (next >= minimum) return start;
  }
}

void KelCldAttributeMgr::DeleteAttributeRecords()
{
  for (int i = 1; i <= _records.Size(); ++i) {
    delete static_cast<KelCldAttributeRecord*>(_records[i]);
    _records[i] = nullptr;
  }
}
