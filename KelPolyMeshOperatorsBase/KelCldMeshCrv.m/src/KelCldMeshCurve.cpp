#include "KelCldMeshCurve.h"

#include <utility>

#include "KelCldGeometryUtil.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"
#include "KelMathBox.h"
#include "KelMathSetOfPoints.h"
#include "KelMathSetOfPointsND.h"
#include "KelMathVector.h"

const IID IID_KelICldMeshCurve = {0x547bea85, 0x6412, 0x4bbd, {0xbf, 0xe7, 0x1c, 0x1f, 0xc8, 0x0e, 0xb5, 0x4d}};

KelImplementClass(KelICldMeshCurve, KelBaseUnknown, KelMetaInterface)
KelImplementClass(KelCldMeshCurve, KelICldMeshCurve, KelMetaImplementation)

KelCldMeshCurve::KelCldMeshCurve(KelCldPolygon* iPolygon) { SetPolygon(iPolygon); }

KelCldMeshCurve::KelCldMeshCurve(const KelCldMeshCurve& iOther) : KelICldMeshCurve(iOther) { *this = iOther; }

KelCldMeshCurve& KelCldMeshCurve::operator=(const KelCldMeshCurve& iOther)
{
  if (&iOther == this) return *this;
  RemoveAllPoints();
  SetPolygon(iOther._polygon);
  _points.Reserve(iOther.GetNumPoints());
  for (int i = 1; i <= iOther.GetNumPoints(); ++i) AppendPoint(iOther.At(i));
  return *this;
}

KelCldMeshCurve::~KelCldMeshCurve()
{
  RemoveAllPoints();
  SetPolygon(nullptr);
}

// Stands in for the generated adapter: the curve answers for its interface itself.
void* KelCldMeshCurve::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldMeshCurve) return static_cast<KelICldMeshCurve*>(this);
  return KelICldMeshCurve::GetInterface(iIID);
}

void KelCldMeshCurve::SetPolygon(KelCldPolygon* iPolygon)
{
  // AddRef first: the new polygon may be the current one.
  if (iPolygon) iPolygon->AddRef();
  if (_polygon) _polygon->Release();
  _polygon = iPolygon;
}

void KelCldMeshCurve::Take(KelCldMeshCurve& ioOther)
{
  RemoveAllPoints();
  std::swap(_points, ioOther._points);
  if (_polygon) _polygon->Release();
  _polygon = ioOther._polygon;
  ioOther._polygon = nullptr;
}

bool KelCldMeshCurve::operator==(const KelCldMeshCurve& iOther) const
{
  if (_polygon != iOther._polygon || GetNumPoints() != iOther.GetNumPoints()) return false;
  for (int i = 1; i <= GetNumPoints(); ++i)
    if (At(i) != iOther.At(i)) return false;
  return true;
}

// ---- Reading ----

int KelCldMeshCurve::GetMeshPoint(const int iIndex, KelCldMeshPoint& oPoint) const
{
  KelAssertText(iIndex >= 1 && iIndex <= GetNumPoints(), "iIndex >= 1 && iIndex <= GetNumPoints()");
  oPoint = At(iIndex);
  return 1;
}

int KelCldMeshCurve::GetPoint(const int iIndex, KelMathPoint& oPoint) const
{
  if (iIndex < 1 || iIndex > GetNumPoints()) return 0;
  oPoint = At(iIndex).GetPosition();
  return 1;
}

int KelCldMeshCurve::GetPoints(KelMathSetOfPoints& oPoints) const
{
  if (!GetNumPoints()) return 0;
  oPoints.Resize(GetNumPoints());
  for (int i = 1; i <= GetNumPoints(); ++i) oPoints.SetPoint(i - 1, At(i).GetPosition());
  return 1;
}

int KelCldMeshCurve::GetPoints(KelMathSetOfPointsND& oPoints) const
{
  if (!GetNumPoints()) return 0;
  KelMathSetOfPointsND points(3, GetNumPoints());
  for (int i = 1; i <= GetNumPoints(); ++i) points.SetPoint(i - 1, At(i).GetPosition());
  oPoints = points;
  return 1;
}

int KelCldMeshCurve::GetBox(KelMathBox& oBox) const
{
  if (!GetNumPoints()) return 0;
  oBox.SetToEmpty();
  for (int i = 1; i <= GetNumPoints(); ++i) oBox.AddInside(At(i).GetPosition());
  return 1;
}

int KelCldMeshCurve::GetStartPoint(KelCldMeshPoint& oPoint) const
{
  if (!GetNumPoints()) return 0;
  oPoint = At(1);
  return 1;
}

int KelCldMeshCurve::GetEndPoint(KelCldMeshPoint& oPoint) const
{
  if (!GetNumPoints()) return 0;
  oPoint = At(GetNumPoints());
  return 1;
}

int KelCldMeshCurve::GetPreviousPoint(int iIndex, KelCldMeshPoint& oPoint) const
{
  KelAssertText(iIndex >= 1 && iIndex <= GetNumPoints(), "iIndex >= 1 && iIndex <= GetNumPoints()");
  int previous = iIndex - 1;
  if (previous < 1 && IsClosedLoop()) previous = GetNumPoints();
  if (previous < 1) return 0;
  oPoint = At(previous);
  return 1;
}

int KelCldMeshCurve::GetNextPoint(int iIndex, KelCldMeshPoint& oPoint) const
{
  KelAssertText(iIndex >= 1 && iIndex <= GetNumPoints(), "iIndex >= 1 && iIndex <= GetNumPoints()");
  int next = iIndex + 1;
  if (next > GetNumPoints() && IsClosedLoop()) next = 1;
  if (next > GetNumPoints()) return 0;
  oPoint = At(next);
  return 1;
}

// ---- Editing ----

int KelCldMeshCurve::SetMeshPoint(const int iIndex, const KelCldMeshPoint& iPoint)
{
  KelAssertText(iIndex >= 1 && iIndex <= GetNumPoints(), "iIndex >= 1 && iIndex <= GetNumPoints()");
  At(iIndex) = iPoint;
  return 1;
}

int KelCldMeshCurve::AppendPoint(const KelCldMeshPoint& iPoint)
{
  _points.Append(new KelCldMeshPoint(iPoint));
  return 1;
}

int KelCldMeshCurve::PrependPoint(const KelCldMeshPoint& iPoint)
{
  _points.InsertAt(1, new KelCldMeshPoint(iPoint));
  return 1;
}

int KelCldMeshCurve::InsertPoint(const int iIndex, const KelCldMeshPoint& iPoint)
{
  KelAssertText(1 <= iIndex && iIndex <= GetNumPoints() + 1, "1 <= iIndex && iIndex <= GetNumPoints () + 1");
  _points.InsertAt(iIndex, new KelCldMeshPoint(iPoint));
  return 1;
}

int KelCldMeshCurve::RemovePoint(const int iIndex)
{
  KelAssertText(1 <= iIndex && iIndex <= GetNumPoints(), "1 <= iIndex && iIndex <= GetNumPoints ()");
  delete &At(iIndex);
  _points.RemovePosition(iIndex);
  return 1;
}

int KelCldMeshCurve::RemoveAllPoints()
{
  for (int i = 1; i <= GetNumPoints(); ++i) delete &At(i);
  _points.RemoveAll();
  return 1;
}

// ---- Queries ----

int KelCldMeshCurve::FindPoint(const KelCldMeshPoint& iPoint) const
{
  for (int i = 1; i <= GetNumPoints(); ++i)
    if (At(i) == iPoint) return i;
  return 0;
}

int KelCldMeshCurve::IsClosedLoop() const { return GetNumPoints() > 1 && At(1) == At(GetNumPoints()) ? 1 : 0; }

int KelCldMeshCurve::IsRegular(KelRawCollint* oTriangles) const
{
  const int nbPoints = GetNumPoints();
  if (oTriangles) {
    oTriangles->RemoveAll();
    oTriangles->Size(nbPoints);
  }
  if (nbPoints < 2) return 1;
  const KelCldTopologyUtil topology(_polygon);
  int regular = 1;
  for (int k = 1; k < nbPoints; ++k) {
    const int triangle = topology.SameTriangle(At(k), At(k + 1));
    if (!triangle) {
      regular = 0;
      if (!oTriangles) return 0;
    } else if (oTriangles) {
      (*oTriangles)[k] = triangle;
    }
  }
  return regular;
}

int KelCldMeshCurve::IsAVertexPath() const
{
  for (int i = 1; i <= GetNumPoints(); ++i)
    if (At(i).GetType() != eVertexPoint) return 0;
  return IsRegular();
}

int KelCldMeshCurve::GetVertexPath(KelRawCollint& oVertices) const
{
  if (!IsAVertexPath()) return 0;
  oVertices.RemoveAll();
  oVertices.Reserve(GetNumPoints());
  for (int i = 1; i <= GetNumPoints(); ++i) {
    int vertex = 0;
    At(i).GetVertex(vertex);
    oVertices.Append(vertex);
  }
  return 1;
}

double KelCldMeshCurve::GetLength() const
{
  double length = 0.0;
  for (int i = 1; i < GetNumPoints(); ++i) length += At(i).GetPosition().DistanceTo(At(i + 1).GetPosition());
  return length;
}

int KelCldMeshCurve::GetMeshPointNormal(const int index, KelMathVector& oNormal) const
{
  KelAssertText(index >= 1 && index <= GetNumPoints(), "index >= 1 && index <= GetNumPoints ()");
  if (!_polygon) return 0;
  const KelCldGeometryUtil geometry(_polygon);
  return geometry.GetMeshPointNormal(At(index), oNormal);
}

// ---- Combining ----

int KelCldMeshCurve::Append(const KelCldMeshCurve& iOther)
{
  const int nbOther = iOther.GetNumPoints();
  if (!nbOther) return 1;
  // Read the other's points before growing: it may be this curve.
  KelRawCollPV copies(nbOther);
  for (int i = 1; i <= nbOther; ++i) copies.Append(new KelCldMeshPoint(iOther.At(i)));
  int first = 1;
  if (GetNumPoints() && At(GetNumPoints()) == iOther.At(1)) {
    delete static_cast<KelCldMeshPoint*>(copies[1]);
    first = 2;
  }
  for (int i = first; i <= nbOther; ++i) _points.Append(copies[i]);
  return 1;
}

namespace {

// Positions in both curves inside their ranges and the points there equal.
bool SamePointAt(const KelCldMeshCurve& iCurve0, const int iIndex0, const KelCldMeshCurve& iCurve1, const int iIndex1)
{
  if (iIndex0 < 1 || iIndex0 > iCurve0.GetNumPoints() || iIndex1 < 1 || iIndex1 > iCurve1.GetNumPoints())
    return false;
  KelCldMeshPoint point0, point1;
  iCurve0.GetMeshPoint(iIndex0, point0);
  iCurve1.GetMeshPoint(iIndex1, point1);
  return point0 == point1;
}

}  // namespace

int KelCldMeshCurve::Overlaps(const KelCldMeshCurve& iOther) const
{
  int i1 = 0, i2 = 0, j1 = 0, j2 = 0;
  return GetOverlap(iOther, i1, i2, j1, j2);
}

int KelCldMeshCurve::GetOverlap(const KelCldMeshCurve& iOther, int& oI1, int& oI2, int& oJ1, int& oJ2) const
{
  const int n0 = GetNumPoints(), n1 = iOther.GetNumPoints();
  if (!n0 || !n1) return 0;
  const int p = FindPoint(iOther.At(1)), q = FindPoint(iOther.At(n1));
  const int r = iOther.FindPoint(At(1)), s = iOther.FindPoint(At(n0));
  int i1 = 0, i2 = 0, j1 = 0, j2 = 0;
  if (p > 0 && q == 0 && r > 0 && s == 0 && p == r) {
    for (int k = 1; k <= r; ++k)
      if (!SamePointAt(*this, p - k + 1, iOther, k)) return 0;
    i1 = 1, i2 = p, j1 = 1, j2 = r;
  } else if (p > 0 && q == 0 && r == 0 && s >= 1 && n0 - p + 1 == s) {
    for (int k = 1; k <= s; ++k)
      if (!SamePointAt(*this, p + k - 1, iOther, k)) return 0;
    i1 = p, i2 = n0, j1 = 1, j2 = s;
  } else if (p == 0 && q >= 1 && r > 0 && s == 0 && n1 - r + 1 == q) {
    for (int k = 1; k <= q; ++k)
      if (!SamePointAt(*this, k, iOther, r + k - 1)) return 0;
    i1 = 1, i2 = q, j1 = r, j2 = n1;
  } else if (p == 0 && q >= 1 && r == 0 && s > 0 && n0 - q + 1 == n1 - s + 1) {
    for (int k = 1; k <= n0 - q + 1; ++k)
      if (!SamePointAt(*this, q + k - 1, iOther, n1 - k + 1)) return 0;
    i1 = q, i2 = n0, j1 = s, j2 = n1;
  } else {
    return 0;
  }
  oI1 = i1, oI2 = i2, oJ1 = j1, oJ2 = j2;
  return 1;
}

int KelCldMeshCurve::DoubleOverlaps(const KelCldMeshCurve& iOther) const
{
  int i1 = 0, i2 = 0, j1 = 0, j2 = 0;
  return GetDoubleOverlap(iOther, i1, i2, j1, j2);
}

int KelCldMeshCurve::GetDoubleOverlap(const KelCldMeshCurve& iOther, int& oI1, int& oI2, int& oJ1, int& oJ2) const
{
  const int n0 = GetNumPoints(), n1 = iOther.GetNumPoints();
  if (!n0 || !n1) return 0;
  const int p = FindPoint(iOther.At(1)), q = FindPoint(iOther.At(n1));
  const int r = iOther.FindPoint(At(1)), s = iOther.FindPoint(At(n0));
  if (p <= 0 || q <= 0 || r <= 0 || s <= 0) return 0;
  if (r >= s) {
    for (int k = 1; k <= q; ++k)
      if (!SamePointAt(*this, k, iOther, r + k - 1)) return 0;
    for (int k = 1; k <= n0 - p + 1; ++k)
      if (!SamePointAt(*this, p + k - 1, iOther, k)) return 0;
    oI1 = q, oI2 = p, oJ1 = r, oJ2 = s;
  } else {
    for (int k = 1; k <= p; ++k)
      if (!SamePointAt(*this, k, iOther, r - k + 1)) return 0;
    for (int k = 1; k <= n0 - q + 1; ++k)
      if (!SamePointAt(*this, q + k - 1, iOther, n1 - k + 1)) return 0;
    oI1 = p, oI2 = q, oJ1 = r, oJ2 = s;
  }
  return 1;
}

int KelCldMeshCurve::MergeOverlap(const KelCldMeshCurve& iOther, const int iI1, const int, const int iJ1, const int iJ2)
{
  const int n0 = GetNumPoints(), n1 = iOther.GetNumPoints();
  KelCldMeshCurve merged(iOther._polygon);
  merged._points.Reserve(n0 + n1);
  if (iI1 != 1)
    for (int i = 1; i <= n0; ++i) merged.AppendPoint(At(i));
  else
    for (int i = n0; i >= 1; --i) merged.AppendPoint(At(i));
  if (iJ1 != 1)
    for (int j = iJ1 - 1; j >= 1; --j) merged.AppendPoint(iOther.At(j));
  else
    for (int j = iJ2 + 1; j <= n1; ++j) merged.AppendPoint(iOther.At(j));
  Take(merged);
  return 1;
}

int KelCldMeshCurve::MergeDoubleOverlap(const KelCldMeshCurve& iOther, const int, const int, const int iJ1,
                                        const int iJ2)
{
  // Copies first: the other may be this curve.
  KelRawCollPV copies;
  if (iJ1 >= iJ2)
    for (int j = iJ2 + 1; j <= iJ1; ++j) copies.Append(new KelCldMeshPoint(iOther.At(j)));
  else
    for (int j = iJ2 - 1; j >= iJ1; --j) copies.Append(new KelCldMeshPoint(iOther.At(j)));
  _points.Append(copies);
  return 1;
}

int KelCldMeshCurve::Merge(const KelCldMeshCurve& iOther)
{
  if (!GetNumPoints()) {
    *this = iOther;
    return 1;
  }
  // Merging a curve with itself would run it there and back.
  if (!iOther.GetNumPoints() || iOther.IsClosedLoop() || &iOther == this) return 1;
  int i1 = 0, i2 = 0, j1 = 0, j2 = 0;
  if (GetDoubleOverlap(iOther, i1, i2, j1, j2)) return MergeDoubleOverlap(iOther, i1, i2, j1, j2);
  if (GetOverlap(iOther, i1, i2, j1, j2)) return MergeOverlap(iOther, i1, i2, j1, j2);

  const int n0 = GetNumPoints(), n1 = iOther.GetNumPoints();
  const KelCldMeshPoint& s0 = At(1);
  const KelCldMeshPoint& e0 = At(n0);
  const KelCldMeshPoint& s1 = iOther.At(1);
  const KelCldMeshPoint& e1 = iOther.At(n1);
  if (s0 == s1 || s0 == e1) {
    if (n0 == 1) {
      *this = iOther;
      return 1;
    }
    // The other's points go in front, its shared end left out.
    const bool reversed = s0 == s1;
    KelRawCollPV joined(n0 + n1 - 1);
    for (int k = 1; k < n1; ++k) joined.Append(new KelCldMeshPoint(iOther.At(reversed ? n1 - k + 1 : k)));
    joined.Append(_points);
    std::swap(_points, joined);
    return 1;
  }
  if (e0 == s1) {
    for (int j = 2; j <= n1; ++j) AppendPoint(iOther.At(j));
    return 1;
  }
  if (e0 == e1) {
    for (int j = n1 - 1; j >= 1; --j) AppendPoint(iOther.At(j));
    return 1;
  }
  return 0;
}

int KelCldMeshCurve::Contains(const KelCldMeshCurve& iOther) const
{
  const int n0 = GetNumPoints(), n1 = iOther.GetNumPoints();
  if (!n1 || n1 > n0) return 0;
  const int i = FindPoint(iOther.At(1)), j = FindPoint(iOther.At(n1));
  if (!i || !j) return 0;
  if (i == j) return 1;
  for (int k = 1; k <= n1; ++k)
    if (!SamePointAt(*this, i > j ? i - k + 1 : i + k - 1, iOther, k)) return 0;
  return 1;
}

int KelCldMeshCurve::RemoveDuplicates()
{
  if (GetNumPoints() < 2) return 0;
  KelRawCollPV kept(GetNumPoints());
  kept.Append(_points[1]);
  for (int i = 2; i <= GetNumPoints(); ++i) {
    KelCldMeshPoint* point = static_cast<KelCldMeshPoint*>(_points[i]);
    if (*point != *static_cast<KelCldMeshPoint*>(kept[kept.Size()]))
      kept.Append(point);
    else
      delete point;
  }
  std::swap(_points, kept);
  return 0;
}

int KelCldMeshCurve::Reverse()
{
  const int n = GetNumPoints();
  if (!n) return 0;
  for (int i = 1, j = n; i < j; ++i, --j) _points.Swap(i, j);
  return 1;
}

int KelCldMeshCurve::GetSubMeshCurve(const int i, const int j, KelCldMeshCurve& oCurve) const
{
  if (i < 1 || i > j || j > GetNumPoints()) return 0;
  KelRawCollPV copies(j - i + 1);
  for (int k = i; k <= j; ++k) copies.Append(new KelCldMeshPoint(At(k)));
  oCurve.RemoveAllPoints();
  std::swap(oCurve._points, copies);
  return 1;
}

void KelCldMeshCurve::Print(std::ostream& ioStream) const
{
  ioStream << "Poly Mesh Curve" << '\n';
  ioStream << "Number of points: " << GetNumPoints() << '\n';
  if (IsRegular()) ioStream << "Curve is regular." << '\n';
  for (int i = 1; i <= GetNumPoints(); ++i) {
    ioStream << i << ":";
    At(i).Print(ioStream);
  }
  ioStream << "End curve." << '\n';
}
