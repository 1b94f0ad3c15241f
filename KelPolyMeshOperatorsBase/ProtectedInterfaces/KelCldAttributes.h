#ifndef KelCldAttributes_h
#define KelCldAttributes_h
// Parks the per-vertex and per-face attribute pointers of a polygon aside and puts them back,
// so that code which uses those pointers for something else can run in between.
//
// - Save takes every non-null pointer of the vertices (of the active faces) and clears it in
//   the polygon; it fails when nothing was taken or something is already saved.
// - Restore puts every saved pointer back; an element that received a pointer meanwhile is a
//   fatal error.
// - Pointers saved and never restored are lost when the saver is destroyed: the elements keep
//   their null pointer.

#include "KelBaseUnknown.h"

class KelCldPolygon;
class KelHashTable;

class KelCldAttributes : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldAttributes() = default;
  // Holds a reference on the polygon.
  explicit KelCldAttributes(KelCldPolygon* iPolygon);
  ~KelCldAttributes() override;
  KelCldAttributes(const KelCldAttributes&) = delete;
  KelCldAttributes& operator=(const KelCldAttributes&) = delete;

  KelBoolean SaveVertexAttributes();
  KelBoolean SaveFaceAttributes();
  KelBoolean RestoreVertexAttributes();
  KelBoolean RestoreFaceAttributes();

private:
  KelCldPolygon* _polygon = nullptr;
  unsigned char _verticesSaved = FALSE;
  unsigned char _facesSaved = FALSE;
  KelHashTable* _vertexTable = nullptr;  // saved records, null when nothing is saved
  KelHashTable* _faceTable = nullptr;
};

#endif
