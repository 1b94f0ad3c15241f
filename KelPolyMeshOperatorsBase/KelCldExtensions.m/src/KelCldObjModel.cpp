#include "KelCldObjModel.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string_view>

#include "KelCldPolygon.h"

KelImplementClass(KelCldObjModel, KelBaseUnknown, KelMetaImplementation)

namespace {

struct FileCloser {
  void operator()(std::FILE* iFile) const { std::fclose(iFile); }
};

// The whole file in one string: both passes then run on memory.
bool ReadWholeFile(const std::string& iPath, std::string& oText)
{
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(iPath.c_str(), "rb"));
  if (!file) return false;
  long size = 0;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) size = std::ftell(file.get());
  std::rewind(file.get());
  oText.clear();
  char chunk[1 << 16];
  size_t nbRead;
  while ((nbRead = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
    // Sized once the file has proved readable: a directory opens but reports a huge size.
    if (oText.empty() && size > 0) oText.reserve(static_cast<size_t>(size));
    oText.append(chunk, nbRead);
  }
  return std::ferror(file.get()) == 0;
}

// Walks a text one line at a time and each line one token at a time. A line ends at '\n' or
// '\r', so "\r\n" ends leave an empty line behind, which every caller ignores.
class LineScanner {
public:
  explicit LineScanner(const std::string& iText) : _next(iText.data()), _end(iText.data() + iText.size()) {}

  bool NextLine()
  {
    if (_next >= _end) return false;
    _cursor = _next;
    _lineEnd = _next;
    while (_lineEnd < _end && *_lineEnd != '\n' && *_lineEnd != '\r') ++_lineEnd;
    _next = _lineEnd < _end ? _lineEnd + 1 : _end;
    return true;
  }

  bool NextToken(std::string_view& oToken)
  {
    while (_cursor < _lineEnd && IsBlank(*_cursor)) ++_cursor;
    if (_cursor == _lineEnd) return false;
    const char* start = _cursor;
    while (_cursor < _lineEnd && !IsBlank(*_cursor)) ++_cursor;
    oToken = std::string_view(start, static_cast<size_t>(_cursor - start));
    return true;
  }

  // The next word of the line, empty when there is none.
  std::string NextWord()
  {
    std::string_view token;
    return NextToken(token) ? std::string(token) : std::string();
  }

private:
  static bool IsBlank(char iChar) { return iChar == ' ' || iChar == '\t' || iChar == '\v' || iChar == '\f'; }

  const char* _next;
  const char* _end;
  const char* _cursor = nullptr;
  const char* _lineEnd = nullptr;
};

// from_chars rejects the '+' that scanf-style readers accept.
std::string_view StripPlus(std::string_view iToken)
{
  if (iToken.size() >= 2 && iToken[0] == '+' && iToken[1] != '-' && iToken[1] != '+') iToken.remove_prefix(1);
  return iToken;
}

// The whole token must be the number; overflow is a failure.
bool ParseInt(std::string_view iToken, int& oValue)
{
  iToken = StripPlus(iToken);
  const char* end = iToken.data() + iToken.size();
  const std::from_chars_result result = std::from_chars(iToken.data(), end, oValue);
  return result.ec == std::errc() && result.ptr == end;
}

bool ParseFloat(std::string_view iToken, float& oValue)
{
  iToken = StripPlus(iToken);
  const char* end = iToken.data() + iToken.size();
  std::from_chars_result result = std::from_chars(iToken.data(), end, oValue);
  if (result.ec == std::errc::result_out_of_range) {
    // Values too small for a float become 0 or a denormal instead of failing.
    double value = 0.0;
    result = std::from_chars(iToken.data(), end, value);
    if (result.ec != std::errc() || std::fabs(value) > 1.0) return false;
    oValue = static_cast<float>(value);
  }
  return result.ec == std::errc() && result.ptr == end && std::isfinite(oValue);
}

// Reads iCount numbers of the line; every one must parse.
bool ReadFloats(LineScanner& ioLine, int iCount, float* oValues)
{
  std::string_view token;
  for (int i = 0; i < iCount; ++i)
    if (!ioLine.NextToken(token) || !ParseFloat(token, oValues[i])) return false;
  return true;
}

// A colour "r g b", or "r" alone standing for grey; left unchanged otherwise.
void ReadColour(LineScanner& ioLine, float oColour[3])
{
  float values[3];
  int count = 0;
  std::string_view token;
  while (count < 3 && ioLine.NextToken(token) && ParseFloat(token, values[count])) ++count;
  if (count == 1) values[1] = values[2] = values[0];
  if (count == 1 || count == 3)
    for (int i = 0; i < 3; ++i) oColour[i] = values[i];
}

enum class FaceFormat { kVertex, kVertexTexture, kVertexNormal, kVertexTextureNormal };

struct Corner {
  int vertex, texture, normal;
};

// The first vertex of a face decides the format of all of them.
FaceFormat ClassifyCorner(std::string_view iToken)
{
  if (iToken.find("//") != std::string_view::npos) return FaceFormat::kVertexNormal;
  size_t nbSlashes = 0;
  for (const char c : iToken) nbSlashes += c == '/';
  if (nbSlashes == 2) return FaceFormat::kVertexTextureNormal;
  if (nbSlashes == 1) return FaceFormat::kVertexTexture;
  return FaceFormat::kVertex;
}

bool ParseCorner(std::string_view iToken, FaceFormat iFormat, Corner& oCorner)
{
  oCorner = Corner{0, 0, 0};
  if (iFormat == FaceFormat::kVertex) return ParseInt(iToken, oCorner.vertex);
  const size_t slash = iToken.find('/');
  if (slash == std::string_view::npos || !ParseInt(iToken.substr(0, slash), oCorner.vertex)) return false;
  const std::string_view rest = iToken.substr(slash + 1);
  switch (iFormat) {
    case FaceFormat::kVertexTexture:
      return ParseInt(rest, oCorner.texture);
    case FaceFormat::kVertexNormal:
      return !rest.empty() && rest[0] == '/' && ParseInt(rest.substr(1), oCorner.normal);
    default: {
      const size_t second = rest.find('/');
      return second != std::string_view::npos && ParseInt(rest.substr(0, second), oCorner.texture) &&
             ParseInt(rest.substr(second + 1), oCorner.normal);
    }
  }
}

// The vertices of a face, up to the first token that is not in the face's format. False when
// fewer than three parse.
bool ParseFace(LineScanner& ioLine, std::vector<Corner>& oCorners, FaceFormat& oFormat)
{
  oCorners.clear();
  std::string_view token;
  if (!ioLine.NextToken(token)) return false;
  oFormat = ClassifyCorner(token);
  Corner corner;
  do {
    if (!ParseCorner(token, oFormat, corner)) break;
    oCorners.push_back(corner);
  } while (ioLine.NextToken(token));
  return oCorners.size() >= 3;
}

bool InRange(int iNumber, int iCount) { return iNumber >= 1 && iNumber <= iCount; }

// A group record without a name names the default group, as in the OBJ format.
std::string GroupName(LineScanner& ioLine)
{
  std::string name = ioLine.NextWord();
  return name.empty() ? std::string("default") : name;
}

}  // namespace

KelCldObjModel::KelCldObjModel() = default;

KelCldObjModel::~KelCldObjModel() { Deallocate(); }

void KelCldObjModel::Deallocate()
{
  // Assigning empty containers frees the storage, which clear() would keep.
  _fileName = std::string();
  _materialLibraryName = std::string();
  _nbVertices = _nbNormals = _nbTextureCoordinates = 0;
  _vertices = std::vector<float>();
  _normals = std::vector<float>();
  _textureCoordinates = std::vector<float>();
  _triangles = std::vector<ObjTriangle>();
  _materials = std::vector<ObjMaterial>();
  _materialIndex = std::unordered_map<std::string, int>();
  _groups = nullptr;
  _groupStore = std::vector<std::unique_ptr<ObjGroup>>();
  _groupIndex = std::unordered_map<std::string, ObjGroup*>();
}

KelBoolean KelCldObjModel::Read(const char* iFileName)
{
  if (!iFileName) return FALSE;
  KelBoolean ok = FALSE;
  try {
    std::string text;
    if (!ReadWholeFile(iFileName, text)) return FALSE;
    Deallocate();
    _fileName = iFileName;
    ok = CountRecords(text) && FillRecords(text) ? TRUE : FALSE;
  } catch (const std::bad_alloc&) {
    ok = FALSE;
  } catch (const std::length_error&) {
    ok = FALSE;
  }
  if (!ok) Deallocate();
  return ok;
}

KelBoolean KelCldObjModel::CountRecords(const std::string& iText)
{
  ObjGroup* group = AddGroup(std::string("default"));
  size_t nbVertices = 0, nbNormals = 0, nbTextureCoordinates = 0, nbTriangles = 0;
  std::vector<Corner> corners;
  FaceFormat format;
  LineScanner line(iText);
  std::string_view token;
  while (line.NextLine()) {
    if (!line.NextToken(token)) continue;
    switch (token[0]) {
      case 'f': {
        if (!ParseFace(line, corners, format)) return FALSE;
        const size_t nbFaceTriangles = corners.size() - 2;
        nbTriangles += nbFaceTriangles;
        if (nbTriangles > INT_MAX) return FALSE;
        group->nbTriangles += static_cast<int>(nbFaceTriangles);
        break;
      }
      case 'g':
        group = AddGroup(GroupName(line));
        break;
      case 'm':
        _materialLibraryName = line.NextWord();
        if (!ReadMaterial(_materialLibraryName.c_str())) return FALSE;
        break;
      case 'v':
        if (token.size() == 1) ++nbVertices;
        else if (token[1] == 'n') ++nbNormals;
        else if (token[1] == 't') ++nbTextureCoordinates;
        else if (token[1] != 'p') return FALSE;
        break;
      default:  // comments, usemtl (bound in the second pass) and records not kept
        break;
    }
  }
  if (nbVertices >= INT_MAX || nbNormals >= INT_MAX || nbTextureCoordinates >= INT_MAX) return FALSE;

  _nbVertices = static_cast<int>(nbVertices);
  _nbNormals = static_cast<int>(nbNormals);
  _nbTextureCoordinates = static_cast<int>(nbTextureCoordinates);
  _vertices.assign(3 * (nbVertices + 1), 0.0f);
  if (nbNormals) _normals.assign(3 * (nbNormals + 1), 0.0f);
  if (nbTextureCoordinates) _textureCoordinates.assign(2 * (nbTextureCoordinates + 1), 0.0f);
  _triangles.reserve(nbTriangles);
  for (const std::unique_ptr<ObjGroup>& each : _groupStore) {
    each->triangles.reserve(static_cast<size_t>(each->nbTriangles));
    each->nbTriangles = 0;
  }
  return TRUE;
}

KelBoolean KelCldObjModel::FillRecords(const std::string& iText)
{
  ObjGroup* group = LookUpGroup("default");
  int material = 0;
  int vertex = 0, normal = 0, textureCoordinate = 0;
  std::vector<Corner> corners;
  FaceFormat format;
  LineScanner line(iText);
  std::string_view token;
  while (line.NextLine()) {
    if (!line.NextToken(token)) continue;
    switch (token[0]) {
      case 'f': {
        if (!ParseFace(line, corners, format)) return FALSE;
        const bool hasTexture = format == FaceFormat::kVertexTexture || format == FaceFormat::kVertexTextureNormal;
        const bool hasNormal = format == FaceFormat::kVertexNormal || format == FaceFormat::kVertexTextureNormal;
        for (const Corner& corner : corners)
          if (!InRange(corner.vertex, _nbVertices) || (hasTexture && !InRange(corner.texture, _nbTextureCoordinates)) ||
              (hasNormal && !InRange(corner.normal, _nbNormals)))
            return FALSE;
        for (size_t k = 2; k < corners.size(); ++k) {
          const Corner* fan[3] = {&corners[0], &corners[k - 1], &corners[k]};
          ObjTriangle triangle;
          for (int i = 0; i < 3; ++i) {
            triangle.vertices[i] = fan[i]->vertex;
            triangle.normals[i] = fan[i]->normal;
            triangle.textures[i] = fan[i]->texture;
          }
          group->triangles.push_back(static_cast<int>(_triangles.size()));
          ++group->nbTriangles;
          _triangles.push_back(triangle);
        }
        break;
      }
      case 'g':
        group = AddGroup(GroupName(line));
        group->material = material;
        break;
      case 'u':
        material = FindMaterial(line.NextWord().c_str());
        group->material = material;
        break;
      case 'v':
        if (token.size() == 1) {
          if (vertex >= _nbVertices || !ReadFloats(line, 3, &_vertices[3 * static_cast<size_t>(++vertex)])) return FALSE;
        } else if (token[1] == 'n') {
          if (normal >= _nbNormals || !ReadFloats(line, 3, &_normals[3 * static_cast<size_t>(++normal)])) return FALSE;
        } else if (token[1] == 't') {
          if (textureCoordinate >= _nbTextureCoordinates ||
              !ReadFloats(line, 2, &_textureCoordinates[2 * static_cast<size_t>(++textureCoordinate)]))
            return FALSE;
        }
        break;
      default:
        break;
    }
  }
  return TRUE;
}

KelBoolean KelCldObjModel::ReadMaterial(const char* iLibraryName)
{
  if (!iLibraryName) return FALSE;
  const size_t separator = _fileName.find_last_of("/\\");
  std::string path = separator == std::string::npos ? std::string() : _fileName.substr(0, separator + 1);
  for (const char* c = iLibraryName; *c; ++c) path += *c == '\\' ? '/' : *c;
  // The file being read names the library: a device or a pipe there (/dev/zero, a FIFO) would
  // be read without end or block the reader, so only a regular file is read.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return FALSE;
  std::string text;
  if (!ReadWholeFile(path, text)) return FALSE;

  size_t nbMaterials = 1;
  std::string_view token;
  for (LineScanner line(text); line.NextLine();)
    if (line.NextToken(token) && token[0] == 'n') ++nbMaterials;
  std::vector<ObjMaterial> materials(nbMaterials);
  materials[0].name = "default";

  size_t current = 0;
  for (LineScanner line(text); line.NextLine();) {
    if (!line.NextToken(token)) continue;
    switch (token[0]) {
      case 'K':
        if (token.size() < 2) break;
        if (token[1] == 'a') ReadColour(line, materials[current].ambient);
        else if (token[1] == 'd') ReadColour(line, materials[current].diffuse);
        else if (token[1] == 's') ReadColour(line, materials[current].specular);
        break;
      case 'N': {
        // The library's shininess runs from 0 to 1000, the model's from 0 to 128.
        float value;
        if (line.NextToken(token) && ParseFloat(token, value)) materials[current].shininess = value / 1000.0f * 128.0f;
        break;
      }
      case 'n':
        materials[++current].name = line.NextWord();
        break;
      default:
        break;
    }
  }

  _materials.swap(materials);
  _materialIndex.clear();
  for (size_t i = _materials.size(); i-- > 1;) _materialIndex[_materials[i].name] = static_cast<int>(i);
  return TRUE;
}

int KelCldObjModel::FindMaterial(const char* iName) const
{
  if (!iName) return 0;
  const auto found = _materialIndex.find(iName);
  return found == _materialIndex.end() ? 0 : found->second;
}

ObjGroup* KelCldObjModel::LookUpGroup(const std::string& iName) const
{
  const auto found = _groupIndex.find(iName);
  return found == _groupIndex.end() ? nullptr : found->second;
}

const ObjGroup* KelCldObjModel::FindGroup(const char* iName) const { return iName ? LookUpGroup(iName) : nullptr; }

ObjGroup* KelCldObjModel::FindGroup(const char* iName) { return iName ? LookUpGroup(iName) : nullptr; }

ObjGroup* KelCldObjModel::AddGroup(const char* iName) { return iName ? AddGroup(std::string(iName)) : nullptr; }

ObjGroup* KelCldObjModel::AddGroup(const std::string& iName)
{
  if (ObjGroup* existing = LookUpGroup(iName)) return existing;
  std::unique_ptr<ObjGroup> group(new ObjGroup);
  group->name = iName;
  group->next = _groups;
  _groups = group.get();
  _groupIndex.emplace(iName, _groups);
  _groupStore.push_back(std::move(group));
  return _groups;
}

const float* KelCldObjModel::GetVertex(int iVertex) const
{
  return InRange(iVertex, _nbVertices) ? &_vertices[3 * static_cast<size_t>(iVertex)] : nullptr;
}

const float* KelCldObjModel::GetNormal(int iNormal) const
{
  return InRange(iNormal, _nbNormals) ? &_normals[3 * static_cast<size_t>(iNormal)] : nullptr;
}

const float* KelCldObjModel::GetTextureCoordinate(int iCoordinate) const
{
  return InRange(iCoordinate, _nbTextureCoordinates) ? &_textureCoordinates[2 * static_cast<size_t>(iCoordinate)]
                                                     : nullptr;
}

const ObjTriangle* KelCldObjModel::GetTriangle(int iTriangle) const
{
  return iTriangle >= 0 && iTriangle < GetNbTriangles() ? &_triangles[static_cast<size_t>(iTriangle)] : nullptr;
}

const ObjMaterial* KelCldObjModel::GetMaterial(int iMaterial) const
{
  return iMaterial >= 0 && iMaterial < GetNbMaterials() ? &_materials[static_cast<size_t>(iMaterial)] : nullptr;
}

KelBoolean KelCldObjModel::GetPolyMesh(KelCldPolygon* iPolygon) const
{
  if (!iPolygon || _nbVertices == 0 || _triangles.empty()) return FALSE;
  const long long nbPoints = static_cast<long long>(iPolygon->GetNbPoints(1)) + _nbVertices;
  const long long nbTriangles = static_cast<long long>(iPolygon->GetNbTriangles(1)) + GetNbTriangles();
  iPolygon->Reserve(static_cast<int>(std::min<long long>(nbPoints, INT_MAX)),
                    static_cast<int>(std::min<long long>(nbTriangles, INT_MAX)));

  KelBoolean ok = TRUE;
  std::vector<int> newNumber(static_cast<size_t>(_nbVertices) + 1, 0);
  for (int v = 1; ok && v <= _nbVertices; ++v)
    if ((newNumber[static_cast<size_t>(v)] = iPolygon->AddPoint(GetVertex(v))) == 0) ok = FALSE;
  for (size_t t = 0; ok && t < _triangles.size(); ++t) {
    const int* vertices = _triangles[t].vertices;
    if (iPolygon->AddTriangle(newNumber[static_cast<size_t>(vertices[0])], newNumber[static_cast<size_t>(vertices[1])],
                              newNumber[static_cast<size_t>(vertices[2])]) == 0)
      ok = FALSE;
  }
  // Even a partial insertion leaves the polygon linked.
  iPolygon->EndInsertion();
  return ok;
}
