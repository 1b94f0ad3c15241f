#ifndef KelCldVertexIterator_h
#define KelCldVertexIterator_h
// Vertex iterator over a polygon (see KelICldVertexIterator). The vertex count is read at
// each Reset: vertices added afterwards are not visited until the next Reset.

#include "KelICldVertexIterator.h"

class KelCldPolygon;

class KelCldVertexIterator : public KelICldVertexIterator {
  KelDeclareClass

public:
  // Without a polygon, Reset and Next return FALSE.
  KelCldVertexIterator();
  // Holds a reference on the polygon and resets.
  explicit KelCldVertexIterator(KelCldPolygon* iPolygon);
  ~KelCldVertexIterator() override;
  KelCldVertexIterator(const KelCldVertexIterator&) = delete;
  KelCldVertexIterator& operator=(const KelCldVertexIterator&) = delete;

  KelBoolean Reset(int& oVertex) override;
  KelBoolean Next(int& oVertex) override;

protected:
  void* GetInterface(const IID& iIID) override;

private:
  KelCldPolygon* _polygon = nullptr;
  int _nbPoints = 0;  // GetNbPoints(1) at the last Reset
  int _current = 0;
};

#endif
