#include "KelBaseUnknown.h"

#include <cstring>
#include <string>
#include <vector>

const IID IID_KelBaseUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool operator==(const IID& iA, const IID& iB)
{
  return iA.Data1 == iB.Data1 && iA.Data2 == iB.Data2 && iA.Data3 == iB.Data3 &&
         std::memcmp(iA.Data4, iB.Data4, sizeof(iA.Data4)) == 0;
}

KelMetaObject::KelMetaObject(const char* iClassName, int iKind, const KelMetaObject* iBase,
                             const char* iFramework, size_t iObjectSize)
    : _className(iClassName), _kind(iKind), _base(iBase), _framework(iFramework), _objectSize(iObjectSize)
{
}

KelBoolean KelMetaObject::IsA(const char* iClassName) const
{
  return iClassName && std::strcmp(_className, iClassName) == 0 ? TRUE : FALSE;
}

KelBoolean KelMetaObject::IsAKindOf(const char* iClassName) const
{
  for (const KelMetaObject* meta = this; meta; meta = meta->_base)
    if (meta->IsA(iClassName)) return TRUE;
  return FALSE;
}

namespace {
// The object being extended while its extension is under construction.
thread_local KelBaseUnknown* gExtendedUnderConstruction = nullptr;

struct ExtensionEntry {
  std::string lateType;
  IID iid;
  int kind;
  KelExtensionFactory factory;
};

std::vector<ExtensionEntry>& Entries()
{
  static std::vector<ExtensionEntry> entries;
  return entries;
}
}  // namespace

struct KelBaseUnknown::DataExtension {
  KelExtensionFactory factory;
  KelBaseUnknown* object;
  DataExtension* next;
};

KelBaseUnknown::KelBaseUnknown()
    : _refCount(1), _extendedObject(gExtendedUnderConstruction), _dataExtensions(nullptr)
{
  gExtendedUnderConstruction = nullptr;
}

KelBaseUnknown::KelBaseUnknown(const KelBaseUnknown& iOther)
    : _refCount(1), _extendedObject(iOther._extendedObject), _dataExtensions(nullptr)
{
}

KelBaseUnknown::~KelBaseUnknown() { ReleaseExtensions(); }

void KelBaseUnknown::ReleaseExtensions()
{
  while (_dataExtensions) {
    DataExtension* first = _dataExtensions;
    _dataExtensions = first->next;
    first->object->Release();
    delete first;
  }
}

unsigned long KelBaseUnknown::AddRef() { return ++_refCount; }

unsigned long KelBaseUnknown::Release()
{
  unsigned long count = --_refCount;
  if (count == 0) delete this;
  return count;
}

void* KelBaseUnknown::GetInterface(const IID& iIID)
{
  return iIID == IID_KelBaseUnknown ? this : nullptr;
}

HRESULT KelBaseUnknown::QueryInterface(const IID& iIID, void** oObject)
{
  if (!oObject) return E_FAIL;
  *oObject = nullptr;
  if (void* itf = GetInterface(iIID)) {
    AddRef();
    *oObject = itf;
    return S_OK;
  }
  if (_extendedObject) return _extendedObject->QueryInterface(iIID, oObject);
  if (GetLateType()) return KelExtensionRegistry::Query(this, iIID, oObject);
  return E_NOINTERFACE;
}

const KelMetaObject* KelBaseUnknown::MetaObject()
{
  static const KelMetaObject meta("KelBaseUnknown", KelMetaImplementation, nullptr, "KelPlatform",
                                  sizeof(KelBaseUnknown));
  return &meta;
}

const KelMetaObject* KelBaseUnknown::GetMetaObject() const { return MetaObject(); }
const char* KelBaseUnknown::ClassName() const { return GetMetaObject()->ClassName(); }
KelBoolean KelBaseUnknown::IsA(const char* iClassName) const { return GetMetaObject()->IsA(iClassName); }
KelBoolean KelBaseUnknown::IsAKindOf(const char* iClassName) const { return GetMetaObject()->IsAKindOf(iClassName); }

void KelExtensionRegistry::Register(const char* iLateType, const IID& iIID, int iKind, KelExtensionFactory iFactory)
{
  if (!iLateType || !iFactory) return;
  for (ExtensionEntry& entry : Entries())
    if (entry.lateType == iLateType && entry.iid == iIID) {
      entry.kind = iKind;
      entry.factory = iFactory;
      return;
    }
  Entries().push_back({iLateType, iIID, iKind, iFactory});
}

HRESULT KelExtensionRegistry::Query(KelBaseUnknown* iObject, const IID& iIID, void** oObject)
{
  const char* lateType = iObject ? iObject->GetLateType() : nullptr;
  if (!lateType || !oObject) return E_FAIL;
  *oObject = nullptr;
  const ExtensionEntry* found = nullptr;
  for (const ExtensionEntry& entry : Entries())
    if (entry.iid == iIID && entry.lateType == lateType) { found = &entry; break; }
  if (!found) return E_NOINTERFACE;

  // Only the extension itself may answer: forwarding to the extended object would come back
  // here and recurse without end when the extension lacks the interface it is registered for.
  auto askExtension = [&iIID, oObject](KelBaseUnknown* iExtension) {
    void* itf = iExtension->GetInterface(iIID);
    if (!itf) return E_NOINTERFACE;
    iExtension->AddRef();
    *oObject = itf;
    return S_OK;
  };

  if (found->kind == KelMetaDataExtension) {
    for (KelBaseUnknown::DataExtension* ext = iObject->_dataExtensions; ext; ext = ext->next)
      if (ext->factory == found->factory) return askExtension(ext->object);
    gExtendedUnderConstruction = iObject;
    KelBaseUnknown* created = found->factory();
    gExtendedUnderConstruction = nullptr;
    if (!created) return E_FAIL;
    // The object keeps the creation reference for its whole life.
    iObject->_dataExtensions = new KelBaseUnknown::DataExtension{found->factory, created, iObject->_dataExtensions};
    return askExtension(created);
  }

  gExtendedUnderConstruction = iObject;
  KelBaseUnknown* created = found->factory();
  gExtendedUnderConstruction = nullptr;
  if (!created) return E_FAIL;
  HRESULT status = askExtension(created);
  created->Release();
  return status;
}
