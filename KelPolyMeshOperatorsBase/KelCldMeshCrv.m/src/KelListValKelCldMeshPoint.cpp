#include "KelListValKelCldMeshPoint.h"

#include <utility>

KelListValKelCldMeshPoint::KelListValKelCldMeshPoint(int iInitialCapacity) : _points(iInitialCapacity) {}

KelListValKelCldMeshPoint::KelListValKelCldMeshPoint(const KelListValKelCldMeshPoint& iOther) { AppendCopies(iOther); }

KelListValKelCldMeshPoint::KelListValKelCldMeshPoint(KelListValKelCldMeshPoint&& ioOther) noexcept
    : _points(std::move(ioOther._points))
{
  ioOther._points.RemoveAll();
}

KelListValKelCldMeshPoint& KelListValKelCldMeshPoint::operator=(const KelListValKelCldMeshPoint& iOther)
{
  if (&iOther != this) {
    RemoveAll();
    AppendCopies(iOther);
  }
  return *this;
}

KelListValKelCldMeshPoint& KelListValKelCldMeshPoint::operator=(KelListValKelCldMeshPoint&& ioOther) noexcept
{
  if (&ioOther != this) {
    RemoveAll();
    std::swap(_points, ioOther._points);
  }
  return *this;
}

KelListValKelCldMeshPoint::~KelListValKelCldMeshPoint() { RemoveAll(); }

int KelListValKelCldMeshPoint::Append(const KelCldMeshPoint& iPoint) { return _points.Append(new KelCldMeshPoint(iPoint)); }

void KelListValKelCldMeshPoint::InsertAt(int iPos, const KelCldMeshPoint& iPoint)
{
  _points.InsertAt(iPos, new KelCldMeshPoint(iPoint));
}

void KelListValKelCldMeshPoint::RemovePosition(int iPos)
{
  delete &(*this)[iPos];
  _points.RemovePosition(iPos);
}

void KelListValKelCldMeshPoint::RemoveAll()
{
  for (int i = 1; i <= _points.Size(); ++i) delete static_cast<KelCldMeshPoint*>(_points[i]);
  _points.RemoveAll();
}

bool KelListValKelCldMeshPoint::operator==(const KelListValKelCldMeshPoint& iOther) const
{
  if (Size() != iOther.Size()) return false;
  for (int i = 1; i <= Size(); ++i)
    if ((*this)[i] != iOther[i]) return false;
  return true;
}

void KelListValKelCldMeshPoint::AppendCopies(const KelListValKelCldMeshPoint& iOther)
{
  _points.Reserve(Size() + iOther.Size());
  for (int i = 1; i <= iOther.Size(); ++i) Append(iOther[i]);
}
