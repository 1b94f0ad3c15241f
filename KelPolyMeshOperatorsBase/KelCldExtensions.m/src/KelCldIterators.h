#ifndef KelCldIterators_h
#define KelCldIterators_h
// The code extension behind KelICldIterators: a stateless object made for each request,
// which hands out vertex and face iterators on the polygon it extends.

#include <new>

#include "KelICldIterators.h"

class KelCldPolygon;

class KelCldIterators : public KelICldIterators {
  KelDeclareClass

public:
  KelCldIterators() = default;
  KelCldIterators(const KelCldIterators&) = delete;
  KelCldIterators& operator=(const KelCldIterators&) = delete;

  // The extension factory.
  static KelBaseUnknown* CreateItself();

  HRESULT GetVertexIterator(KelICldVertexIterator** oIterator) override;
  HRESULT GetEdgeIterator(KelICldEdgeIterator** oIterator) override;
  HRESULT GetFaceIterator(KelICldFaceIterator** oIterator) override;

  // Releases what *ioIterator points to, then hands out a new iterator of the polygon:
  // E_FAIL when none can be made, else the status of the interface query. The mesh object
  // hands out its iterators the same way.
  template <class Implementation, class Interface>
  static HRESULT MakeIterator(KelCldPolygon* iPolygon, const IID& iIID, Interface** ioIterator)
  {
    if (!ioIterator) return E_FAIL;
    if (*ioIterator) {
      (*ioIterator)->Release();
      *ioIterator = nullptr;
    }
    Implementation* iterator = new (std::nothrow) Implementation(iPolygon);
    if (!iterator) return E_FAIL;
    const HRESULT status = iterator->QueryInterface(iIID, reinterpret_cast<void**>(ioIterator));
    iterator->Release();
    return status;
  }

protected:
  void* GetInterface(const IID& iIID) override;
};

#endif
