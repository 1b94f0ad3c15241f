#ifndef KelBaseUnknown_h
#define KelBaseUnknown_h
// The object model: reference counting, interface queries by identifier, meta-objects and
// extensions.
//
// - Reference counting: an object made with new starts with one reference (the creation
//   reference); Release deletes it when the count reaches zero. Objects on the stack are
//   never released to zero.
// - Interfaces are abstract classes deriving from KelBaseUnknown, each with a 16-byte
//   identifier IID_<interface>. An implementation answers for an interface by deriving from
//   it and overriding GetInterface (this replaces the generated TIE adapters: the adapter and
//   the implementation are the same object, which saves an indirection per call).
//   QueryInterface gives the caller a new reference.
// - Meta-objects: every class registers one (class name, kind, base meta-object, framework,
//   object size) with KelDeclareClass / KelImplementClass and answers ClassName, IsA and
//   IsAKindOf from it.
// - Extensions: an object that reports a late type (GetLateType, e.g. "KelCldPolygonQvm")
//   can be extended. Extensions are registered per late type and interface identifier.
//   A data extension (kind 2) is created on the first query for one of its interfaces and
//   kept with its object, one per object, until the object is destroyed; a code extension
//   (kind 3) is created for each query and holds no state. An extension's own queries for
//   interfaces it does not implement go to the extended object, so an extension reaches its
//   object by asking itself (for example for IID_KelCldPolygon), even inside its constructor.

#include <cstddef>
#include <cstdint>

#include "KelPlatformTypes.h"

struct IID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
bool operator==(const IID& iA, const IID& iB);
inline bool operator!=(const IID& iA, const IID& iB) { return !(iA == iB); }

extern const IID IID_KelBaseUnknown;

enum KelMetaKind {
  KelMetaImplementation = 0,
  KelMetaInterface = 1,
  KelMetaDataExtension = 2,
  KelMetaCodeExtension = 3
};

class KelMetaObject {
public:
  KelMetaObject(const char* iClassName, int iKind, const KelMetaObject* iBase,
                const char* iFramework, size_t iObjectSize);
  const char* ClassName() const { return _className; }
  int GetKind() const { return _kind; }
  const KelMetaObject* GetBase() const { return _base; }
  const char* GetFramework() const { return _framework; }
  size_t GetObjectSize() const { return _objectSize; }
  // The class itself has this name.
  KelBoolean IsA(const char* iClassName) const;
  // The class or one of its bases has this name.
  KelBoolean IsAKindOf(const char* iClassName) const;

private:
  const char* _className;
  int _kind;
  const KelMetaObject* _base;
  const char* _framework;
  size_t _objectSize;
};

#define KelDeclareClass                                      \
public:                                                      \
  static const KelMetaObject* MetaObject();                  \
  const KelMetaObject* GetMetaObject() const override;       \
                                                             \
private:

#define KelImplementClassIn(Class, Base, Kind, Framework)                                     \
  const KelMetaObject* Class::MetaObject()                                                    \
  {                                                                                           \
    static const KelMetaObject meta(#Class, Kind, Base::MetaObject(), Framework, sizeof(Class)); \
    return &meta;                                                                             \
  }                                                                                           \
  const KelMetaObject* Class::GetMetaObject() const { return Class::MetaObject(); }

#define KelImplementClass(Class, Base, Kind) \
  KelImplementClassIn(Class, Base, Kind, "KelPolyMeshOperatorsBase")

class KelBaseUnknown {
public:
  KelBaseUnknown();
  // A copy is a new object: one reference, no extensions, same extended object.
  KelBaseUnknown(const KelBaseUnknown& iOther);
  KelBaseUnknown& operator=(const KelBaseUnknown&) { return *this; }
  virtual ~KelBaseUnknown();

  virtual unsigned long AddRef();
  virtual unsigned long Release();
  virtual HRESULT QueryInterface(const IID& iIID, void** oObject);

  static const KelMetaObject* MetaObject();
  virtual const KelMetaObject* GetMetaObject() const;
  const char* ClassName() const;
  KelBoolean IsA(const char* iClassName) const;
  KelBoolean IsAKindOf(const char* iClassName) const;

  unsigned long GetRefCount() const { return _refCount; }

  // Late type used to look up extensions; null when the object cannot be extended.
  virtual const char* GetLateType() const { return nullptr; }
  // For an extension, the object it extends; null otherwise.
  KelBaseUnknown* GetExtendedObject() const { return _extendedObject; }

protected:
  // The pointer to hand out for an interface this object implements itself, or null.
  // Overrides end with the base class's version.
  virtual void* GetInterface(const IID& iIID);
  // Releases the data extensions now; classes whose extensions use them in their
  // destructors call this first thing in their own destructor.
  void ReleaseExtensions();

private:
  friend class KelExtensionRegistry;
  struct DataExtension;
  unsigned long _refCount;
  KelBaseUnknown* _extendedObject;
  DataExtension* _dataExtensions;  // singly linked, owned
};

typedef KelBaseUnknown* (*KelExtensionFactory)();

class KelExtensionRegistry {
public:
  // Registers an extension of a late type answering for one interface. The factory makes a
  // new extension object with one reference; its constructor already sees its extended object.
  static void Register(const char* iLateType, const IID& iIID, int iKind, KelExtensionFactory iFactory);
  // Finds or creates the extension of iObject for iIID and queries the interface from it.
  static HRESULT Query(KelBaseUnknown* iObject, const IID& iIID, void** oObject);
};

// Registers an extension from a static initialiser of the extension's source file.
struct KelExtensionRegistrar {
  KelExtensionRegistrar(const char* iLateType, const IID& iIID, int iKind, KelExtensionFactory iFactory)
  {
    KelExtensionRegistry::Register(iLateType, iIID, iKind, iFactory);
  }
};

#endif
