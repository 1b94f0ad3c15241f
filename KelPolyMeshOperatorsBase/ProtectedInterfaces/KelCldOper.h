#ifndef KelCldOper_h
#define KelCldOper_h
// Base of every mesh operator.
//
// A caller runs an operator on a whole polygon, on a vertex selection, on a triangle
// selection or on a plain array of vertex numbers. A derived operator overrides the entry
// that suits its work; the base versions of the two selection entries convert one selection
// into the other through the polygon's mesh object, and when neither is overridden they end
// in Run(polygon, count, vertices) with vertex numbers. The nesting is one level deep at most.
// Numbers in a triangle selection that are not valid triangles select nothing.
//
// Run entries answer TRUE when the work was done, FALSE when the operator cannot run, has
// nothing to work on, or was interrupted through its progress callback (changes already made
// stay). An operator is used by one thread at a time.

#include "KelBaseUnknown.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"

class KelCldPolygon;
class KelFuzCallback;
class KelGeometry;  // modeller geometry; no operator of the library reads it

class KelCldOper : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldOper();
  // The copy shares the source's callback (with its own reference); its flags start cleared.
  KelCldOper(const KelCldOper& iOther);
  KelCldOper& operator=(const KelCldOper& iOther);
  ~KelCldOper() override;

  virtual KelBoolean Run(KelCldPolygon* iPolygon);
  virtual KelBoolean RunOnSelectedVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices);
  virtual KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles);
  virtual KelBoolean Run(KelCldPolygon* iPolygon, const int iCount, const int* iVertices);
  virtual void SetInputGeometry(KelGeometry* iGeometry);

  // Half-open ranges [iFirst, iEnd) of vertex or triangle numbers; numbers that are not in
  // use are skipped, an empty or invalid range gives an empty selection.
  KelBoolean RunOnVertexRange(KelCldPolygon* iPolygon, const int iFirst, const int iEnd);
  KelBoolean RunOnTriangleRange(KelCldPolygon* iPolygon, const int iFirst, const int iEnd);

  // Without a new reference.
  KelFuzCallback* GetCallback() const { return _callback; }
  // Holds one reference on iCallback; null drops the current one.
  void SetCallback(KelFuzCallback* iCallback);

protected:
  // Reports progress to the callback, if any; FALSE means stop now.
  KelBoolean ReportProgress(double iDone, double iTotal) const;
  KelBoolean ReportProgress(int iPercent) const;

private:
  unsigned char _forwardingToTriangles;
  unsigned char _forwardingToVertices;
  unsigned char _fallback;
  KelFuzCallback* _callback;
};

#endif
