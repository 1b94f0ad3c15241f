#include "KelObjWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "KelCldPolygon.h"
#include "KelErrnoText.h"

namespace {

// Output through a large buffer: one write call per few megabytes keeps a million-triangle
// mesh well under a second.
class KelFileBuffer {
public:
  explicit KelFileBuffer(int iFd) : _fd(iFd), _buffer(kCapacity) {}

  // Room for at least iBytes more; the caller fills it and calls Commit.
  char* Reserve(size_t iBytes)
  {
    if (_used + iBytes > _buffer.size()) Flush();
    return _buffer.data() + _used;
  }
  void Commit(size_t iBytes) { _used += iBytes; }

  // Returns false (errno kept in Error()) once any write has failed.
  bool Flush()
  {
    size_t done = 0;
    while (_error == 0 && done < _used) {
      const ssize_t n = ::write(_fd, _buffer.data() + done, _used - done);
      if (n >= 0) done += static_cast<size_t>(n);
      else if (errno != EINTR) _error = errno;
    }
    _used = 0;
    return _error == 0;
  }
  int Error() const { return _error; }

private:
  static constexpr size_t kCapacity = size_t(4) << 20;
  int _fd;
  std::vector<char> _buffer;
  size_t _used = 0;
  int _error = 0;
};

char* AppendUnsigned(char* ioCursor, unsigned iValue)
{
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + iValue % 10);
    iValue /= 10;
  } while (iValue);
  while (n) *ioCursor++ = digits[--n];
  return ioCursor;
}

// "%.9g" is the shortest fixed precision that brings every float back exactly.
char* AppendFloat(char* ioCursor, float iValue)
{
  const int n = std::snprintf(ioCursor, 24, "%.9g", static_cast<double>(iValue));
  return ioCursor + n;
}

bool Fail(const std::string& iPath, int iErrno, std::string* oError)
{
  if (oError) *oError = "cannot write '" + iPath + "': " + KelErrnoText(iErrno);
  return false;
}

// Creates a fresh temporary file beside iPath; returns its descriptor or -1 (errno set).
int OpenTemporary(const std::string& iPath, std::string& oTemporary)
{
  const std::filesystem::path target(iPath);
  std::filesystem::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  const std::string stem = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    oTemporary = (directory / (stem + std::to_string(attempt))).string();
    const int fd = ::open(oTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void WriteRecords(const KelCldPolygon& iPolygon, KelFileBuffer& ioOut)
{
  const int nbPoints = iPolygon.GetNbPoints(1);
  std::vector<int> newNumber(static_cast<size_t>(nbPoints) + 1, 0);
  int nbWritten = 0;
  for (int v = 1; v <= nbPoints; ++v) {
    if (!iPolygon.IsAVertex(v)) continue;
    newNumber[static_cast<size_t>(v)] = ++nbWritten;
    float coord[3];
    iPolygon.GetPoint(v, coord);
    char* cursor = ioOut.Reserve(3 * 24 + 4);
    char* const start = cursor;
    *cursor++ = 'v';
    for (float c : coord) {
      *cursor++ = ' ';
      cursor = AppendFloat(cursor, c);
    }
    *cursor++ = '\n';
    ioOut.Commit(static_cast<size_t>(cursor - start));
  }

  const int nbTriangles = iPolygon.GetNbTriangles(1);
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!iPolygon.IsTriangleValid(t)) continue;
    int vertices[3];
    unsigned char orientation = 0;
    iPolygon.GetTriangleVertices(t, vertices, orientation);
    char* cursor = ioOut.Reserve(3 * 11 + 3);
    char* const start = cursor;
    *cursor++ = 'f';
    for (int v : vertices) {
      *cursor++ = ' ';
      cursor = AppendUnsigned(cursor, static_cast<unsigned>(newNumber[static_cast<size_t>(v)]));
    }
    *cursor++ = '\n';
    ioOut.Commit(static_cast<size_t>(cursor - start));
  }
}

}  // namespace

namespace {

// Writes through a fresh temporary file beside iPath, renamed over it once complete.
template <class Writer>
bool WriteAtomically(const std::string& iPath, std::string* oError, Writer iWrite)
{
  std::string temporary;
  const int fd = OpenTemporary(iPath, temporary);
  if (fd < 0) return Fail(iPath, errno, oError);

  // A replaced file keeps its permissions, as an edit in place would.
  struct stat target;
  if (::stat(iPath.c_str(), &target) == 0 && S_ISREG(target.st_mode)) ::fchmod(fd, target.st_mode & 07777);

  KelFileBuffer out(fd);
  iWrite(out);
  int error = out.Flush() ? 0 : out.Error();
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), iPath.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return Fail(iPath, error, oError);
  }
  return true;
}

}  // namespace

bool KelWriteObj(const KelCldPolygon& iPolygon, const std::string& iPath, std::string* oError)
{
  return WriteAtomically(iPath, oError, [&iPolygon](KelFileBuffer& ioOut) { WriteRecords(iPolygon, ioOut); });
}

bool KelWriteTextFile(const std::string& iPath, const std::string& iText, std::string* oError)
{
  return WriteAtomically(iPath, oError, [&iText](KelFileBuffer& ioOut) {
    const size_t chunk = 1 << 16;
    for (size_t at = 0; at < iText.size(); at += chunk) {
      const size_t size = std::min(chunk, iText.size() - at);
      std::memcpy(ioOut.Reserve(size), iText.data() + at, size);
      ioOut.Commit(size);
    }
  });
}
