#ifndef KelListOfKelCldMeshCurves_h
#define KelListOfKelCldMeshCurves_h
// 1-based list of mesh curve pointers, the type operators return curves in. The list holds no
// reference: whoever fills it owns the curves (KelCldUtil::ReleaseObjects releases them all).
//
// - Every operation of KelListPtr (see there). The position checks are repeated here so that
//   a broken position is reported against this list: "iPos > 0 && iPos <= _Size",
//   "iPos >= 1 && iPos <= _Size+1" for InsertAt and the two-position text for Swap.
// - A capacity is a hint only: storage grows geometrically on Append, to the exact total on
//   Append(list), and RemoveAll(1) gives it back.
// - QuickSort is stable and keeps no comparator outside the call, so sorts may run at once.

#include "KelCldMeshCurve.h"
#include "KelFatalError.h"
#include "KelListPtr.h"

class KelListPtrKelCldMeshCurve : public KelListPtr<KelCldMeshCurve> {
public:
  typedef KelListPtr<KelCldMeshCurve> Base;

  explicit KelListPtrKelCldMeshCurve(int iInitialCapacity = 0) : Base(iInitialCapacity) {}
  KelListPtrKelCldMeshCurve(KelCldMeshCurve* const* iArray, int iCount) : Base(iArray, iCount) {}

  KelCldMeshCurve*& operator[](int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return Base::operator[](iPos);
  }
  KelCldMeshCurve* operator[](int iPos) const
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    return Base::operator[](iPos);
  }
  void InsertAt(int iPos, KelCldMeshCurve* iCurve)
  {
    KelAssertText(iPos >= 1 && iPos <= Size() + 1, "iPos >= 1 && iPos <= _Size+1");
    Base::InsertAt(iPos, iCurve);
  }
  void RemovePosition(int iPos)
  {
    KelAssertText(iPos > 0 && iPos <= Size(), "iPos > 0 && iPos <= _Size");
    Base::RemovePosition(iPos);
  }
  void Swap(int iPos1, int iPos2)
  {
    KelAssertText(iPos1 > 0 && iPos1 <= Size() && iPos2 > 0 && iPos2 <= Size(),
                  "iPos1 > 0 && iPos1 <= _Size && iPos2 > 0 && iPos2 <= _Size");
    Base::Swap(iPos1, iPos2);
  }
};

#endif
