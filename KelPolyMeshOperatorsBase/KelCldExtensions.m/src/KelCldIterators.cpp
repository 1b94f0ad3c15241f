#include "KelCldIterators.h"

#include "KelCldFaceIterator.h"
#include "KelCldPolygon.h"
#include "KelCldVertexIterator.h"
#include "KelICldEdgeIterator.h"

const IID IID_KelICldIterators = {0x6b3c1a05, 0x4e21, 0x4c8a, {0x9d, 0x11, 0x5a, 0x20, 0x7e, 0x31, 0xc4, 0x05}};
// Only an edge table implements it; it lives here with the getter that names it.
const IID IID_KelICldEdgeIterator = {0x6b3c1a04, 0x4e21, 0x4c8a, {0x9d, 0x11, 0x5a, 0x20, 0x7e, 0x31, 0xc4, 0x04}};

KelImplementClass(KelCldIterators, KelBaseUnknown, KelMetaCodeExtension)

// Defined here with the interface identifier so that any program that asks for the iterators
// also links their registration.
static KelExtensionRegistrar gKelCldIteratorsRegistrar("KelCldPolygonQvm", IID_KelICldIterators,
                                                       KelMetaCodeExtension, &KelCldIterators::CreateItself);

namespace {

// Releases what *ioIterator points to, then hands out a new iterator of the polygon that the
// extension extends.
template <class Implementation, class Interface>
HRESULT MakePolygonIterator(KelBaseUnknown& iExtension, const IID& iIID, Interface** ioIterator)
{
  if (!ioIterator) return E_FAIL;
  if (*ioIterator) {
    (*ioIterator)->Release();
    *ioIterator = nullptr;
  }
  KelCldPolygon* polygon = nullptr;
  const HRESULT status = iExtension.QueryInterface(IID_KelCldPolygon, reinterpret_cast<void**>(&polygon));
  if (FAILED(status)) return status;
  if (!polygon) return E_FAIL;
  const HRESULT made = KelCldIterators::MakeIterator<Implementation>(polygon, iIID, ioIterator);
  polygon->Release();
  return made;
}

}  // namespace

KelBaseUnknown* KelCldIterators::CreateItself() { return new (std::nothrow) KelCldIterators(); }

// Stands in for the generated adapter: the extension answers for its interface itself.
void* KelCldIterators::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldIterators) return static_cast<KelICldIterators*>(this);
  return KelICldIterators::GetInterface(iIID);
}

HRESULT KelCldIterators::GetVertexIterator(KelICldVertexIterator** oIterator)
{
  return MakePolygonIterator<KelCldVertexIterator>(*this, IID_KelICldVertexIterator, oIterator);
}

HRESULT KelCldIterators::GetEdgeIterator(KelICldEdgeIterator**) { return E_FAIL; }

HRESULT KelCldIterators::GetFaceIterator(KelICldFaceIterator** oIterator)
{
  return MakePolygonIterator<KelCldFaceIterator>(*this, IID_KelICldFaceIterator, oIterator);
}
