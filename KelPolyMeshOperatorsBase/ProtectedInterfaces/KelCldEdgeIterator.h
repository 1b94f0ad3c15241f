#ifndef KelCldEdgeIterator_h
#define KelCldEdgeIterator_h
// Edge iterator over an edge table (see KelICldEdgeIterator): the edge numbers that are not
// removed, in increasing order. The number of edge slots is read at each Reset.
//
// The iterator holds its table without a reference: the table must outlive it.

#include "KelICldEdgeIterator.h"

class KelCldBuildEdgesOper;

class KelCldEdgeIterator : public KelICldEdgeIterator {
  KelDeclareClass

public:
  // Without a table, Reset and Next return FALSE.
  KelCldEdgeIterator();
  // Resets on the table.
  explicit KelCldEdgeIterator(KelCldBuildEdgesOper* iEdgeTable);
  ~KelCldEdgeIterator() override;
  KelCldEdgeIterator(const KelCldEdgeIterator&) = delete;
  KelCldEdgeIterator& operator=(const KelCldEdgeIterator&) = delete;

  KelBoolean Reset(int& oEdge) override;
  KelBoolean Next(int& oEdge) override;

protected:
  void* GetInterface(const IID& iIID) override;

private:
  KelCldBuildEdgesOper* _edgeTable = nullptr;
  int _nbEdges = 0;  // GetNbEdges(TRUE) at the last Reset
  int _current = 0;
};

#endif
