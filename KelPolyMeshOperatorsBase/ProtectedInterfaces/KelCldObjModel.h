#ifndef KelCldObjModel_h
#define KelCldObjModel_h
// A Wavefront OBJ model read into memory, with the materials of the library it names.
//
// - Read makes two passes over the file held in memory: the first counts and sizes the
//   arrays, the second fills them. A record is one physical line of any length ('\n', '\r\n'
//   or '\r' ends it). Faces of n vertices become n - 2 triangles fanned around their first
//   vertex.
// - Vertices, normals and texture coordinates are numbered from 1 as in the file; triangles
//   from 0 in file order. A triangle keeps the numbers written in the file; the fields its
//   face format does not give are 0.
// - Read fails (FALSE, model left empty) for an unreadable file, a v record followed by an
//   unknown letter, a v/vn/vt record whose numbers do not parse, a face with fewer than three
//   vertices or naming a vertex, normal or texture coordinate out of the model's range
//   (relative negative numbers included), and a material library that cannot be read.
// - Groups form a list, newest first; after a read its last (oldest) group is "default", which
//   holds the faces met before any group record. Material 0 is "default"; there are no
//   materials until a library has been read.
// - Only vertices and triangles go into a polygon (GetPolyMesh).

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "KelBaseUnknown.h"

class KelCldPolygon;

// One triangle as written in the file: 1-based numbers, 0 for a field the face does not give.
struct ObjTriangle {
  int vertices[3];
  int normals[3];
  int textures[3];
};

struct ObjGroup {
  std::string name;
  int nbTriangles = 0;
  std::vector<int> triangles;  // 0-based positions in the model's triangle array
  int material = 0;
  ObjGroup* next = nullptr;    // the group created before this one
};

struct ObjMaterial {
  std::string name;
  float diffuse[3] = {0.7f, 0.7f, 0.7f};   // Kd
  float ambient[3] = {0.3f, 0.3f, 0.3f};   // Ka
  float specular[3] = {0.0f, 0.0f, 0.0f};  // Ks
  float shininess = 0.0f;                  // 0..128 (the library's 0..1000 rescaled)
};

class KelCldObjModel : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldObjModel();
  ~KelCldObjModel() override;
  KelCldObjModel(const KelCldObjModel&) = delete;
  KelCldObjModel& operator=(const KelCldObjModel&) = delete;

  KelBoolean Read(const char* iFileName);
  // Adds every vertex then every triangle to the polygon; FALSE for a null polygon, an empty
  // model or a point or triangle the polygon refuses.
  KelBoolean GetPolyMesh(KelCldPolygon* iPolygon) const;
  void Deallocate();

  // Exact name comparison; null when there is no such group.
  const ObjGroup* FindGroup(const char* iName) const;
  ObjGroup* FindGroup(const char* iName);
  // The existing group of that name, or a new one put at the front of the list.
  ObjGroup* AddGroup(const char* iName);
  // Index of the first material after "default" with that name; 0 when there is none.
  int FindMaterial(const char* iName) const;
  // Replaces the materials by those of the library, looked up in the directory of the file
  // given to Read ('\\' in the library name read as '/').
  KelBoolean ReadMaterial(const char* iLibraryName);

  const char* GetFileName() const { return _fileName.c_str(); }
  const char* GetMaterialLibraryName() const { return _materialLibraryName.c_str(); }

  int GetNbVertices() const { return _nbVertices; }
  int GetNbNormals() const { return _nbNormals; }
  int GetNbTextureCoordinates() const { return _nbTextureCoordinates; }
  int GetNbTriangles() const { return static_cast<int>(_triangles.size()); }
  int GetNbMaterials() const { return static_cast<int>(_materials.size()); }
  int GetNbGroups() const { return static_cast<int>(_groupStore.size()); }

  // Three floats (two for a texture coordinate) of entry 1..count; null outside.
  const float* GetVertex(int iVertex) const;
  const float* GetNormal(int iNormal) const;
  const float* GetTextureCoordinate(int iCoordinate) const;
  // Triangle 0..count-1, material 0..count-1; null outside.
  const ObjTriangle* GetTriangle(int iTriangle) const;
  const ObjMaterial* GetMaterial(int iMaterial) const;
  // The newest group; follow ObjGroup::next for the others.
  const ObjGroup* GetGroups() const { return _groups; }

private:
  ObjGroup* AddGroup(const std::string& iName);
  ObjGroup* LookUpGroup(const std::string& iName) const;
  // The two passes over the text of the file.
  KelBoolean CountRecords(const std::string& iText);
  KelBoolean FillRecords(const std::string& iText);

  std::string _fileName;
  std::string _materialLibraryName;
  int _nbVertices = 0;
  std::vector<float> _vertices;  // 3 per entry, entry 0 unused
  int _nbNormals = 0;
  std::vector<float> _normals;   // 3 per entry, entry 0 unused
  int _nbTextureCoordinates = 0;
  std::vector<float> _textureCoordinates;  // 2 per entry, entry 0 unused
  std::vector<ObjTriangle> _triangles;
  std::vector<ObjMaterial> _materials;
  std::unordered_map<std::string, int> _materialIndex;  // first index >= 1 of each name
  ObjGroup* _groups = nullptr;                          // newest first
  std::vector<std::unique_ptr<ObjGroup>> _groupStore;   // owns the groups, oldest first
  std::unordered_map<std::string, ObjGroup*> _groupIndex;
};

#endif
