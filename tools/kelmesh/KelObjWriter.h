#ifndef KelObjWriter_h
#define KelObjWriter_h
// Writes a cloud polygon as a Wavefront OBJ file: "v" and "f" records only.
//
// - Only the vertices (points used by a valid triangle) are written, in increasing number
//   order, and renumbered from 1 without gaps; faces follow the valid triangles in increasing
//   order. A polygon with removed triangles or freed points therefore reads back compacted.
// - Coordinates are written with 9 significant digits, enough for a float to read back
//   bit for bit.
// - The file is written beside the target under a temporary name and renamed over it only
//   once everything is written, so a failure never leaves a partial file behind.

#include <string>

class KelCldPolygon;

// Returns false on failure with "cannot write '<path>': <reason>" in oError (when not null).
bool KelWriteObj(const KelCldPolygon& iPolygon, const std::string& iPath, std::string* oError);

// Any text, written the same way: under a temporary name, renamed over iPath when complete.
bool KelWriteTextFile(const std::string& iPath, const std::string& iText, std::string* oError);

#endif
