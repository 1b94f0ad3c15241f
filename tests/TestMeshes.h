#ifndef TestMeshes_h
#define TestMeshes_h
// Meshes built or read by several tests, and conversions of 1-based lists for comparisons.

#include <string>
#include <vector>

#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#include "KelRawColl.h"

// iNx * iNy unit-grid points numbered row by row from 1; cell (a, b, d, e) with b = a + 1 and
// d = a + iNx gives triangles (a, b, e) and (a, e, d), cells row by row, except iSkipCell.
inline void MakeGrid(KelCldPolygon& ioPoly, int iNx, int iNy, int iSkipCell = -1)
{
  for (int j = 0; j < iNy; ++j)
    for (int i = 0; i < iNx; ++i) ioPoly.AddPoint(float(i), float(j), 0.f);
  for (int j = 0, cell = 0; j + 1 < iNy; ++j)
    for (int i = 0; i + 1 < iNx; ++i, ++cell) {
      if (cell == iSkipCell) continue;
      const int a = j * iNx + i + 1, b = a + 1, d = a + iNx, e = d + 1;
      ioPoly.AddTriangle(a, b, e);
      ioPoly.AddTriangle(a, e, d);
    }
}

inline bool ReadObj(const std::string& iPath, KelCldPolygon& oPolygon)
{
  KelCldObjModel model;
  return model.Read(iPath.c_str()) && model.GetPolyMesh(&oPolygon);
}

inline std::vector<int> List(const KelRawCollint& iList)
{
  return std::vector<int>(iList.Data(), iList.Data() + iList.Size());
}

inline KelRawCollint Coll(const std::vector<int>& iValues)
{
  return KelRawCollint(iValues.data(), int(iValues.size()));
}

#endif
