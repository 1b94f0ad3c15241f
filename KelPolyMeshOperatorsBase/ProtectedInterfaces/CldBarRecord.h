#ifndef CldBarRecord_h
#define CldBarRecord_h
// One unique undirected edge of an edge table (KelCldBuildEdgesOper).
//
// The vertices are kept as met in the first triangle that produced the edge; a removed edge
// has vertices (0, 0). Two records are equal when they join the same two vertices in either
// orientation. The attribute is the edge's field number in the table's edge field data,
// handed in and out as the opaque handle KelCldAttribute* (null when the edge has none).

class KelCldAttribute;

class CldBarRecord {
public:
  CldBarRecord() = default;
  CldBarRecord(int iVertex0, int iVertex1) : _vertex0(iVertex0), _vertex1(iVertex1) {}

  int GetVertex0() const { return _vertex0; }
  int GetVertex1() const { return _vertex1; }
  void SetVertices(int iV0, int iV1)
  {
    _vertex0 = iV0;
    _vertex1 = iV1;
  }
  int GetTriangle0() const { return _triangle0; }
  void SetTriangle0(int iTriangle) { _triangle0 = iTriangle; }
  int GetTriangle1() const { return _triangle1; }
  void SetTriangle1(int iTriangle) { _triangle1 = iTriangle; }
  int GetEdgeIndex() const { return _edgeIndex; }
  void SetEdgeIndex(int iEdgeIndex) { _edgeIndex = iEdgeIndex; }
  KelCldAttribute* GetAttribute() const;
  void SetAttribute(KelCldAttribute* iAttribute);

  // Same two vertices, either orientation.
  bool operator==(const CldBarRecord& iOther) const;
  bool operator!=(const CldBarRecord& iOther) const { return !(*this == iOther); }

private:
  int _vertex0 = 0;
  int _vertex1 = 0;
  int _triangle0 = 0;
  int _triangle1 = 0;
  int _edgeIndex = 0;
  // Kept as the field number itself: six ints keep a table of millions of records small.
  int _attribute = 0;
};

#endif
