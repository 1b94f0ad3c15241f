#include "KelCldFieldData.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "KelFatalError.h"

KelImplementClass(KelCldFieldData, KelBaseUnknown, KelMetaImplementation)

namespace {
// Growth step of the buffer when fields are added.
constexpr int kGrowthStep = 32768;
}  // namespace

KelCldFieldData::KelCldFieldData(const KelCldFieldData& iOther) : KelBaseUnknown(iOther) {}

KelCldFieldData::~KelCldFieldData()
{
  Reserve(0);
  _freeFields.RemoveAll(1);
}

KelBoolean KelCldFieldData::Reserve(int iSize)
{
  if (iSize < 0) return FALSE;
  if (iSize == 0) {
    std::free(_data);
    _data = nullptr;
    _nbAllocatedBytes = 0;
  } else {
    char* data = static_cast<char*>(std::realloc(_data, static_cast<size_t>(iSize)));
    if (!data) return FALSE;
    _data = data;
    _nbAllocatedBytes = iSize;
  }
  if (static_cast<int64_t>(_nbFields) * _nbBytesPerField <= _nbAllocatedBytes) return TRUE;

  // The buffer shrank below the fields: forget those past its end.
  _nbFields = _nbAllocatedBytes / _nbBytesPerField;
  KelRawCollint kept;
  for (int i = 1; i <= _freeFields.Size(); ++i)
    if (_freeFields[i] < _nbFields) kept.Append(_freeFields[i]);
  _freeFields = kept;
  return TRUE;
}

KelBoolean KelCldFieldData::SetSizeOfField(int iSize)
{
  if (iSize < 0) return FALSE;
  const int64_t need = static_cast<int64_t>(_nbFields) * iSize;
  if (need > INT_MAX) return FALSE;
  if (need > _nbAllocatedBytes && !Reserve(static_cast<int>(need))) return FALSE;

  // Shrinking moves fields towards the front, growing towards the back: walking in that
  // direction never overwrites a field that has not moved yet.
  const size_t oldSize = static_cast<size_t>(_nbBytesPerField);
  const size_t newSize = static_cast<size_t>(iSize);
  if (newSize < oldSize) {
    for (size_t k = 0; k < static_cast<size_t>(_nbFields); ++k)
      std::memmove(_data + k * newSize, _data + k * oldSize, newSize);
  } else if (newSize > oldSize) {
    for (size_t k = static_cast<size_t>(_nbFields); k-- > 0;) {
      std::memmove(_data + k * newSize, _data + k * oldSize, oldSize);
      std::memset(_data + k * newSize + oldSize, 0, newSize - oldSize);
    }
  }
  _nbBytesPerField = iSize;
  return TRUE;
}

KelCldAttribute* KelCldFieldData::AddField()
{
  if (const int nbFree = _freeFields.Size()) {
    const int index = _freeFields[nbFree];
    _freeFields.RemovePosition(nbFree);
    return FieldHandle(index + 1);
  }
  ++_nbFields;
  const int64_t used = static_cast<int64_t>(_nbFields) * _nbBytesPerField;
  if (used >= _nbAllocatedBytes) {
    // One step normally; as many as a field wider than a step needs.
    const int64_t size = _nbAllocatedBytes + ((used - _nbAllocatedBytes) / kGrowthStep + 1) * kGrowthStep;
    if (size <= INT_MAX) Reserve(static_cast<int>(size));
  }
  KelAssertText(static_cast<int64_t>(_nbFields) * _nbBytesPerField < _nbAllocatedBytes,
                "_nbFields * _nbBytesPerField < _nbAllocatedBytes");
  return FieldHandle(_nbFields);
}

KelBoolean KelCldFieldData::FreeField(KelCldAttribute* iField)
{
  const int number = FieldNumber(iField);
  if (number < 1 || number > _nbFields) return FALSE;
  _freeFields.Append(number - 1);
  return TRUE;
}

char* KelCldFieldData::GetField(KelCldAttribute* iField) const
{
  const intptr_t index = reinterpret_cast<intptr_t>(iField) - 1;
  KelAssertText(index >= 0 && index < _nbFields, "iField < _nbFields");
  return _data + static_cast<size_t>(index) * static_cast<size_t>(_nbBytesPerField);
}
