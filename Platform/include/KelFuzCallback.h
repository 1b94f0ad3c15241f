#ifndef KelFuzCallback_h
#define KelFuzCallback_h
// Child progress callback: its own 0..100 % is mapped into iFrom..iTo % of its parent's, so
// that an operation running a nested one hands it a slice of its own progress.
//
// The bounds are clamped to 0..100 and put in increasing order. The child holds a reference
// on its parent. A report goes through the child's own handler and interrupt request first,
// then to the parent, whose answer is returned. Without a parent the child is a root.

#include "KelPolyCallback.h"

class KelFuzCallback : public KelPolyCallback {
  KelDeclareClass

public:
  KelFuzCallback(KelPolyCallback* iParent, int iFrom, int iTo);
  ~KelFuzCallback() override;

  KelPolyCallback* GetParent() const { return _parent; }
  int GetFrom() const { return _from; }
  int GetTo() const { return _to; }

protected:
  KelBoolean Report(double iPercent) override;

private:
  KelPolyCallback* _parent;
  int _from;
  int _to;
};

#endif
