#include "SameFile.h"

#include <filesystem>
#include <system_error>

bool KelIsSameFile(const std::string& iPath1, const std::string& iPath2)
{
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path resolved1 = fs::weakly_canonical(fs::absolute(iPath1, error), error);
  const bool resolved = !error;
  const fs::path resolved2 = fs::weakly_canonical(fs::absolute(iPath2, error), error);
  if (resolved && !error && resolved1 == resolved2) return true;
  return fs::exists(iPath1, error) && fs::exists(iPath2, error) && fs::equivalent(iPath1, iPath2, error);
}
