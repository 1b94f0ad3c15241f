#ifndef KelCldFaceIterator_h
#define KelCldFaceIterator_h
// Face iterator over the active triangles of a polygon (see KelICldFaceIterator). The
// triangle count is read at each Reset: triangles added afterwards wait for the next Reset.

#include "KelICldFaceIterator.h"

class KelCldPolygon;

class KelCldFaceIterator : public KelICldFaceIterator {
  KelDeclareClass

public:
  // Without a polygon, Reset and Next return FALSE.
  KelCldFaceIterator();
  // Holds a reference on the polygon and resets.
  explicit KelCldFaceIterator(KelCldPolygon* iPolygon);
  ~KelCldFaceIterator() override;
  KelCldFaceIterator(const KelCldFaceIterator&) = delete;
  KelCldFaceIterator& operator=(const KelCldFaceIterator&) = delete;

  KelBoolean Reset(int& oTriangle) override;
  KelBoolean Next(int& oTriangle) override;

protected:
  void* GetInterface(const IID& iIID) override;

private:
  KelCldPolygon* _polygon = nullptr;
  int _nbTriangles = 0;  // GetNbTriangles(1) at the last Reset
  int _current = 0;
};

#endif
