#ifndef TriangleSelection_h
#define TriangleSelection_h
// Triangle selections given on the command line.

#include <string>

#include "KelRawColl.h"

class KelCldPolygon;

// iList is a range "A-B" (both ends included) or the name of a text file of triangle numbers
// separated by blanks, commas or new lines ('#' starts a comment). Numbers are those of the
// polygon (the file's triangles in order, from 1). Every number must be a valid triangle; a
// number given twice is kept once, in its first place. On failure returns false with a
// one-line reason in oError.
bool KelParseTriangleSelection(const std::string& iList, const KelCldPolygon& iPolygon, KelRawCollint& oTriangles,
                               std::string& oError);

#endif
