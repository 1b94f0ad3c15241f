#ifndef KelTessCldTessVertexInfoEdge_h
#define KelTessCldTessVertexInfoEdge_h
// A vertex record telling that the vertex lies on a source edge of the host, with a value the
// host attaches to that edge at the vertex.

#include "KelTessCldTessVertexInfo.h"

class KelTessCldTessVertexInfoEdge : public KelTessCldTessVertexInfo {
public:
  KelTessCldTessVertexInfoEdge(const int iSourceEdge, const int iValue) : _sourceEdge(iSourceEdge), _value(iValue) {}

  KelTessCldTessVertexInfoEdge* AsEdge() override { return this; }
  const KelTessCldTessVertexInfoEdge* AsEdge() const override { return this; }

  int GetSourceEdge() const { return _sourceEdge; }
  int GetValue() const { return _value; }
  void SetValue(const int iValue) { _value = iValue; }

private:
  int _sourceEdge;
  int _value;
};

#endif
