// Random edit sequences on the cloud polygon, checked after every edit against a naive
// reference that recomputes the neighbourhood from the plain list of valid triangles.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

using Tri = std::array<int, 3>;
using Sides = std::vector<std::pair<int, int>>;  // (triangle, number of sides it holds)

bool IsEdge(int iA, int iB, int iX, int iY) { return (iA == iX && iB == iY) || (iA == iY && iB == iX); }

// The mesh as a list of triangles by number; removed triangles keep their last vertices.
class Reference {
public:
  std::vector<Tri> tris{Tri{0, 0, 0}};
  std::vector<char> valid{0};
  std::vector<char> freed{0};  // by point number

  int NbPoints() const { return int(freed.size()) - 1; }
  int NbTriangles() const { return int(tris.size()) - 1; }

  // Rebuilds vertex -> triangles (increasing, distinct) by one pass over the list; raw
  // pointers keep it cheap in unoptimised sanitizer builds.
  void Index()
  {
    _start.assign(size_t(NbPoints() + 2), 0);
    int* start = _start.data();
    const Tri* all = tris.data();
    const char* ok = valid.data();
    const int nbTriangles = NbTriangles();
    int* cursor = nullptr;
    for (int pass = 0; pass < 2; ++pass) {
      if (pass == 1) {
        for (size_t v = 1; v < _start.size(); ++v) start[v] += start[v - 1];
        _items.assign(size_t(_start.back()), 0);
        _cursor.assign(_start.begin(), _start.end() - 1);
        cursor = _cursor.data();
      }
      _nbValid = 0;
      for (int t = 1; t <= nbTriangles; ++t) {
        if (!ok[t]) continue;
        ++_nbValid;
        const int* v = all[t].data();
        for (int i = 0; i < 3; ++i) {
          if ((i > 0 && v[i] == v[0]) || (i == 2 && v[2] == v[1])) continue;
          if (pass == 0) ++start[v[i] + 1];
          else _items[size_t(cursor[v[i]]++)] = t;
        }
      }
    }
    _nbVertices = 0;
    for (int v = 1; v <= NbPoints(); ++v) _nbVertices += start[v + 1] > start[v];
  }
  struct Range {
    const int *first, *last;
    const int* begin() const { return first; }
    const int* end() const { return last; }
    bool empty() const { return first == last; }
  };
  Range Around(int iV) const
  {
    if (iV < 1 || iV > NbPoints()) return {nullptr, nullptr};
    return {_items.data() + _start[size_t(iV)], _items.data() + _start[size_t(iV) + 1]};
  }
  int NbVertices() const { return _nbVertices; }
  int NbValid() const { return _nbValid; }
  // The sides of a-b; the result is overwritten by the next call.
  const Sides& SidesOf(int iA, int iB) const
  {
    Sides& out = _sides;
    out.clear();
    if (iA == iB) return out;
    for (int t : Around(iA)) {
      const Tri& v = tris[size_t(t)];
      int n = 0;
      for (int i = 0; i < 3; ++i) n += IsEdge(v[i], v[(i + 1) % 3], iA, iB);
      if (n) out.push_back({t, n});
    }
    return out;
  }
  static bool Joins(const Sides& iSides)
  {
    return iSides.size() == 2 && iSides[0].second == 1 && iSides[1].second == 1;
  }
  // Also counts the edge's sides into ioMaxSides as a maximum.
  int Neighbor(int iT, int iEdge, int& ioMaxSides) const
  {
    const Sides& s = SidesOf(tris[size_t(iT)][iEdge], tris[size_t(iT)][(iEdge + 1) % 3]);
    int sides = 0;
    for (const auto& side : s) sides += side.second;
    ioMaxSides = std::max(ioMaxSides, sides);
    return Joins(s) ? (s[0].first == iT ? s[1].first : s[0].first) : 0;
  }
  // The documented flip of a-b: false when it must be refused.
  bool Flip(int iA, int iB, int& oT1, int& oT2, Tri& oNew1, Tri& oNew2) const
  {
    Sides s = SidesOf(iA, iB);
    if (!Joins(s)) return false;
    int x = 0, y = 0;
    oT1 = oT2 = 0;
    for (const auto& side : s) {
      const Tri& v = tris[size_t(side.first)];
      for (int i = 0; i < 3; ++i) {
        if (v[i] == iA && v[(i + 1) % 3] == iB) oT1 = side.first, x = v[(i + 2) % 3];
        if (v[i] == iB && v[(i + 1) % 3] == iA) oT2 = side.first, y = v[(i + 2) % 3];
      }
    }
    if (!oT1 || !oT2 || x == y || !SidesOf(x, y).empty()) return false;
    oNew1 = {x, iA, y};
    oNew2 = {y, iB, x};
    return true;
  }

private:
  std::vector<int> _start, _items, _cursor;
  int _nbVertices = 0, _nbValid = 0;
  mutable Sides _sides;
};

// Returns the most sides found on an edge of the triangle.
int CheckTriangle(const KelCldPolygon& iPoly, const Reference& iRef, int iT)
{
  int maxSides = 0;
  std::vector<int> want(6, 0);
  if (iT >= 1 && iT <= iRef.NbTriangles() && iRef.valid[size_t(iT)]) {
    const Tri& r = iRef.tris[size_t(iT)];
    want = {r[0], r[1], r[2], iRef.Neighbor(iT, 0, maxSides), iRef.Neighbor(iT, 1, maxSides),
            iRef.Neighbor(iT, 2, maxSides)};
  }
  EXPECT_EQ(TriangleRow(iPoly, iT), want) << "triangle " << iT;
  return maxSides;
}

void CheckEdge(const KelCldPolygon& iPoly, const Reference& iRef, int iA, int iB)
{
  Sides s = iRef.SidesOf(iA, iB);
  std::array<int, 3> want{int(s.size()), s.empty() ? 0 : s[0].first, Reference::Joins(s) ? s[1].first : 0};
  std::array<int, 3> got{};
  got[0] = iPoly.GetEdgeTriangles(iA, iB, got[1], got[2]);
  EXPECT_EQ(got, want) << "GetEdgeTriangles " << iA << "-" << iB;
  std::vector<int> distinct;
  for (const auto& side : s) distinct.push_back(side.first);
  KelRawCollint around;
  iPoly.GetTrianglesAroundEdge(iA, iB, around);
  EXPECT_EQ(List(around), distinct) << "GetTrianglesAroundEdge " << iA << "-" << iB;
}

void CheckVertex(const KelCldPolygon& iPoly, const Reference& iRef, int iV)
{
  const Reference::Range want = iRef.Around(iV);
  EXPECT_EQ(bool(iPoly.IsAVertex(iV)), !want.empty()) << "IsAVertex " << iV;
  static KelRawCollint around;  // reused: the full checks query every vertex
  iPoly.GetTrianglesAroundVertex(iV, around);
  EXPECT_TRUE(std::equal(want.begin(), want.end(), around.Data(), around.Data() + around.Size()))
      << "GetTrianglesAroundVertex " << iV << ": " << testing::PrintToString(List(around));
}

// The vertex, every triangle around it and every edge of those triangles.
void CheckStar(const KelCldPolygon& iPoly, const Reference& iRef, int iV)
{
  CheckVertex(iPoly, iRef, iV);
  for (int t : iRef.Around(iV)) {
    CheckTriangle(iPoly, iRef, t);
    const Tri& v = iRef.tris[size_t(t)];
    for (int i = 0; i < 3; ++i)
      if (v[i] != v[(i + 1) % 3]) CheckEdge(iPoly, iRef, v[i], v[(i + 1) % 3]);  // sides need a != b
  }
}

void CheckCounts(const KelCldPolygon& iPoly, const Reference& iRef)
{
  EXPECT_EQ((std::vector<int>{iPoly.GetNbVertices(), iPoly.GetNbTriangles(0), iPoly.GetNbTriangles(1), iPoly.GetNbPoints(1)}),
            (std::vector<int>{iRef.NbVertices(), iRef.NbValid(), iRef.NbTriangles(), iRef.NbPoints()}));
}

// Everything, then a polygon rebuilt from the same triangles by bulk insertion.
void CheckAll(const KelCldPolygon& iPoly, const Reference& iRef)
{
  CheckCounts(iPoly, iRef);
  std::vector<int> vertices;
  bool manifold = true;
  for (int v = 1; v <= iRef.NbPoints(); ++v) {
    CheckVertex(iPoly, iRef, v);
    if (!iRef.Around(v).empty()) vertices.push_back(v);
  }
  for (int t = 1; t <= iRef.NbTriangles() + 1; ++t) manifold = CheckTriangle(iPoly, iRef, t) <= 2 && manifold;
  EXPECT_EQ(bool(iPoly.IsManifold()), manifold);
  int count = 0, *all = nullptr;
  iPoly.GetAllVertices(count, all);
  EXPECT_EQ(std::vector<int>(all, all + count), vertices);
  delete[] all;

  KelCldPolygon rebuilt;
  float p[3];
  for (int v = 1; v <= iRef.NbPoints(); ++v) {
    iPoly.GetPoint(v, p);
    rebuilt.AddPoint(p);
  }
  for (int t = 1; t <= iRef.NbTriangles(); ++t) rebuilt.AddTriangle(iRef.tris[size_t(t)].data());
  for (int t = 1; t <= iRef.NbTriangles(); ++t)
    if (!iRef.valid[size_t(t)]) rebuilt.RemoveTriangle(t);
  for (int t = 1; t <= iRef.NbTriangles(); ++t) EXPECT_EQ(TriangleRow(iPoly, t), TriangleRow(rebuilt, t)) << "rebuilt " << t;
}

// Applies random edits to a polygon and its reference, checking after each one.
class Editor {
public:
  // Percentages of AddTriangle, RemoveTriangle, SetTriangleVertices, FlipEdge, RemoveVertex
  // (AddPoint takes the rest).
  using Mix = std::array<int, 5>;

  Editor(KelCldPolygon& ioPoly, Reference& ioRef, unsigned iSeed, const Mix& iMix = {25, 20, 15, 25, 5})
      : _poly(ioPoly), _ref(ioRef), _rng(iSeed), _seed(iSeed)
  {
    for (size_t k = 0; k < iMix.size(); ++k) _bounds[k] = iMix[k] + (k ? _bounds[k - 1] : 0);
  }

  void Run(int iNbEdits, int iFullEvery)
  {
    _ref.Index();
    for (int e = 0; e < iNbEdits; ++e) {
      _touched.clear();
      _changed.clear();
      std::ostringstream what;
      Edit(what);
      _ref.Index();
      SCOPED_TRACE("seed " + std::to_string(_seed) + ", edit " + std::to_string(e) + ": " + what.str());
      std::sort(_touched.begin(), _touched.end());
      _touched.erase(std::unique(_touched.begin(), _touched.end()), _touched.end());
      for (int v : _touched) CheckStar(_poly, _ref, v);
      for (int t : _changed) CheckTriangle(_poly, _ref, t);
      for (int k = 0; k < 2; ++k) {
        CheckTriangle(_poly, _ref, Uniform(1, _ref.NbTriangles()));
        CheckStar(_poly, _ref, Uniform(1, _ref.NbPoints()));
      }
      CheckCounts(_poly, _ref);
      if ((e + 1) % iFullEvery == 0 || e + 1 == iNbEdits) CheckAll(_poly, _ref);
      if (::testing::Test::HasFailure()) return;
    }
  }

private:
  int Uniform(int iLow, int iHigh) { return std::uniform_int_distribution<int>(iLow, std::max(iLow, iHigh))(_rng); }
  int RandomTriangle()
  {
    for (int k = 0; k < 100; ++k) {
      int t = Uniform(1, _ref.NbTriangles());
      if (t <= _ref.NbTriangles() && _ref.valid[size_t(t)]) return t;
    }
    return 0;
  }
  int RandomVertex()
  {
    int t = RandomTriangle();
    return t ? _ref.tris[size_t(t)][Uniform(0, 2)] : 0;
  }
  // A vertex of a random triangle around iV (iV itself included).
  int NearbyVertex(int iV)
  {
    Reference::Range around = _ref.Around(iV);
    if (around.empty()) return iV;
    return _ref.tris[size_t(around.first[Uniform(0, int(around.last - around.first) - 1)])][Uniform(0, 2)];
  }
  int FreedPoint()
  {
    for (int k = 0; k < 20; ++k) {
      int v = Uniform(1, _ref.NbPoints());
      if (_ref.freed[size_t(v)]) return v;
    }
    return 0;
  }
  void Touch(const Tri& iTri) { _touched.insert(_touched.end(), iTri.begin(), iTri.end()); }

  void Edit(std::ostringstream& oWhat)
  {
    int roll = Uniform(0, 99), t = RandomTriangle();
    if (!t) roll = 0;
    if (roll < _bounds[0]) {
      Tri tri{};
      int freedPoint = FreedPoint();
      int kind = Uniform(0, 9), a = RandomVertex(), b = NearbyVertex(a), c = NearbyVertex(b);
      if (!a) a = b = c = Uniform(1, _ref.NbPoints());
      if (kind < 5) tri = {b, a, c};
      else if (kind == 5) tri = Uniform(0, 1) ? _ref.tris[size_t(t)] : Tri{_ref.tris[size_t(t)][1], _ref.tris[size_t(t)][0], _ref.tris[size_t(t)][2]};
      else if (kind == 6) tri = {a, a, b};
      else if (kind == 7) tri = {a, Uniform(1, _ref.NbPoints()), Uniform(1, _ref.NbPoints())};
      else if (kind == 8) tri = {a, b, _ref.NbPoints()};  // the newest point, maybe isolated
      else tri = {a, b, freedPoint ? freedPoint : c};
      bool refused = tri[0] == 0 || tri[1] == 0 || tri[2] == 0 || _ref.freed[size_t(tri[0])] ||
                     _ref.freed[size_t(tri[1])] || _ref.freed[size_t(tri[2])];
      oWhat << "AddTriangle(" << tri[0] << ", " << tri[1] << ", " << tri[2] << ")";
      EXPECT_EQ(_poly.AddTriangle(tri.data()), refused ? 0 : _ref.NbTriangles() + 1) << oWhat.str();
      if (refused) return;
      _ref.tris.push_back(tri);
      _ref.valid.push_back(1);
      Touch(tri);
    } else if (roll < _bounds[1]) {
      if (roll < _bounds[0] + 2) t = Uniform(0, _ref.NbTriangles() + 1);
      bool valid = t >= 1 && t <= _ref.NbTriangles() && _ref.valid[size_t(t)];
      oWhat << "RemoveTriangle(" << t << ")";
      EXPECT_EQ(_poly.RemoveTriangle(t), valid ? 1 : 0) << oWhat.str();
      if (!valid) return;
      _ref.valid[size_t(t)] = 0;
      Touch(_ref.tris[size_t(t)]);
      _changed.push_back(t);
    } else if (roll < _bounds[2]) {
      Tri tri = _ref.tris[size_t(t)];
      int i = Uniform(0, 2), other = NearbyVertex(tri[size_t((i + 1) % 3)]), freedPoint = FreedPoint();
      tri[size_t(i)] = Uniform(0, 9) == 0 && freedPoint ? freedPoint : other;
      oWhat << "SetTriangleVertices(" << t << ", " << tri[0] << ", " << tri[1] << ", " << tri[2] << ")";
      int got = _poly.SetTriangleVertices(t, tri.data());
      EXPECT_EQ(got != 0, !_ref.freed[size_t(tri[size_t(i)])]) << oWhat.str();
      if (!got) return;
      Touch(_ref.tris[size_t(t)]);
      _ref.tris[size_t(t)] = tri;
      Touch(tri);
    } else if (roll < _bounds[3]) {
      int i = Uniform(0, 2), a = _ref.tris[size_t(t)][i], b = _ref.tris[size_t(t)][(i + 1) % 3];
      if (Uniform(0, 1)) std::swap(a, b);
      int t1 = 0, t2 = 0;
      Tri new1{}, new2{};
      bool flips = _ref.Flip(a, b, t1, t2, new1, new2);
      oWhat << "FlipEdge(" << a << ", " << b << ")";
      EXPECT_EQ(_poly.FlipEdge(a, b) != 0, flips) << oWhat.str();
      if (!flips) return;
      Touch(_ref.tris[size_t(t1)]);
      Touch(_ref.tris[size_t(t2)]);
      _ref.tris[size_t(t1)] = new1;
      _ref.tris[size_t(t2)] = new2;
    } else if (roll < _bounds[4]) {
      int v = Uniform(0, 3) ? RandomVertex() : Uniform(0, _ref.NbPoints() + 1);
      bool isVertex = !_ref.Around(v).empty();
      oWhat << "RemoveVertex(" << v << ")";
      EXPECT_EQ(_poly.RemoveVertex(v) != 0, isVertex) << oWhat.str();
      if (!isVertex) return;
      for (int r : _ref.Around(v)) {
        Touch(_ref.tris[size_t(r)]);
        _ref.valid[size_t(r)] = 0;
        _changed.push_back(r);
      }
      _ref.freed[size_t(v)] = 1;
    } else {
      float p[3];
      _poly.GetPoint(RandomVertex(), p);
      p[0] += 0.01f;
      oWhat << "AddPoint";
      EXPECT_EQ(_poly.AddPoint(p), _ref.NbPoints() + 1);
      _ref.freed.push_back(0);
    }
  }

  KelCldPolygon& _poly;
  Reference& _ref;
  std::mt19937 _rng;
  unsigned _seed;
  std::vector<int> _touched, _changed;
  std::array<int, 5> _bounds{};
};

// Reads a shared mesh into the polygon and the reference.
bool Load(const std::string& iPath, KelCldPolygon& oPoly, Reference& oRef)
{
  KelCldObjModel model;
  if (!model.Read(iPath.c_str()) || !model.GetPolyMesh(&oPoly)) return false;
  oRef.freed.assign(size_t(model.GetNbVertices() + 1), 0);
  for (int t = 0; t < model.GetNbTriangles(); ++t) {
    const int* v = model.GetTriangle(t)->vertices;
    oRef.tris.push_back({v[0], v[1], v[2]});
    oRef.valid.push_back(1);
  }
  return true;
}

void EditSharedMesh(const char* iName, unsigned iSeed, int iNbEdits, int iFullEvery)
{
  std::string path = SharedDataPath(iName);
  KEL_REQUIRE_SHARED(path);
  KelCldPolygon poly;
  Reference ref;
  ASSERT_TRUE(Load(path, poly, ref)) << path;
  Editor(poly, ref, iSeed).Run(iNbEdits, iFullEvery);
}

}  // namespace

TEST(KelCldPolygonEdit, Bunny) { EditSharedMesh("bunny.obj", 20240501u, 400, 200); }
TEST(KelCldPolygonEdit, ElephantWithHoles) { EditSharedMesh("elephant-with-holes.obj", 7u, 400, 200); }
TEST(KelCldPolygonEdit, SnowdenNonManifold) { EditSharedMesh("snowden.obj", 99u, 25, 25); }

// A tetrahedron, a book of five sides on one edge, a degenerate triangle and a strip, edited
// among few vertices so that multi-sided edges and repeated vertices keep appearing.
TEST(KelCldPolygonEdit, SmallNonManifold)
{
  for (unsigned seed : {1u, 2u, 3u}) {
    KelCldPolygon poly;
    Reference ref;
    for (int v = 1; v <= 12; ++v) {
      poly.AddPoint(float(v % 4), float(v / 4), float(v % 3));
      ref.freed.push_back(0);
    }
    const Tri tris[] = {{1, 3, 2}, {1, 2, 4}, {2, 3, 4}, {3, 1, 4}, {1, 2, 5}, {2, 1, 6}, {1, 2, 7},
                        {8, 8, 9}, {9, 10, 11}, {11, 10, 12}, {5, 6, 7}};
    for (const Tri& t : tris) {
      poly.AddTriangle(t.data());
      ref.tris.push_back(t);
      ref.valid.push_back(1);
    }
    Editor(poly, ref, seed, {45, 15, 10, 20, 2}).Run(700, 25);
    if (HasFailure()) return;
  }
}

// Two cones on one rim: their apexes hold more corners than fit beside a vertex, and the
// edits take them below and above that limit.
TEST(KelCldPolygonEdit, HighValence)
{
  const int rim = 70;
  KelCldPolygon poly;
  Reference ref;
  for (int v = 1; v <= rim + 2; ++v) {
    poly.AddPoint(float(std::cos(v)), float(std::sin(v)), v <= rim ? 0.0f : float(2 * (v - rim) - 3));
    ref.freed.push_back(0);
  }
  for (int i = 1; i <= rim; ++i)
    for (const Tri& t : {Tri{rim + 1, i, i % rim + 1}, Tri{rim + 2, i % rim + 1, i}}) {
      poly.AddTriangle(t.data());
      ref.tris.push_back(t);
      ref.valid.push_back(1);
    }
  Editor(poly, ref, 5u, {10, 45, 10, 30, 1}).Run(300, 30);
}
