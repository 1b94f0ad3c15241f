#ifndef ReadMesh_h
#define ReadMesh_h
// Reading an OBJ file into a cloud polygon with a one-line reason on failure.

#include <string>

class KelCldPolygon;

// Fills an empty polygon from the file. On failure returns false with
// "cannot read '<path>': <reason>" in oError; the reasons are "no such file",
// "is a directory", the system's reason for an unreadable file, "not a valid OBJ file" and
// "no triangles".
bool KelReadMesh(const std::string& iPath, KelCldPolygon& ioPolygon, std::string& oError);

#endif
