#include "TriangleSelection.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

#include "KelCldPolygon.h"

namespace {

// A whole word as a positive number that fits an int; 0 otherwise.
long ParseNumber(const std::string& iWord)
{
  if (iWord.empty() || iWord.size() > 10 || iWord.find_first_not_of("0123456789") != std::string::npos) return 0;
  const long value = std::strtol(iWord.c_str(), nullptr, 10);
  return value <= 0x7fffffffL ? value : 0;
}

}  // namespace

bool KelParseTriangleSelection(const std::string& iList, const KelCldPolygon& iPolygon, KelRawCollint& oTriangles,
                               std::string& oError)
{
  oTriangles.RemoveAll();
  std::vector<long> numbers;
  std::smatch range;
  static const std::regex rangePattern("([0-9]+)-([0-9]+)");
  std::ifstream file(iList);
  if (!file && std::regex_match(iList, range, rangePattern)) {
    const long first = ParseNumber(range[1]), last = ParseNumber(range[2]);
    if (!first || !last || first > last) {
      oError = "bad triangle range '" + iList + "' (expected A-B with 1 <= A <= B)";
      return false;
    }
    for (long t = first; t <= last && t <= iPolygon.GetNbTriangles(1) + 1; ++t) numbers.push_back(t);
  } else if (!file) {
    oError = "cannot read the triangle list '" + iList + "' (give a file of numbers or a range A-B)";
    return false;
  } else {
    std::string line;
    while (std::getline(file, line)) {
      line = line.substr(0, line.find('#'));
      for (char& c : line)
        if (c == ',') c = ' ';
      std::istringstream words(line);
      std::string word;
      while (words >> word) {
        const long number = ParseNumber(word);
        if (!number) {
          oError = "'" + iList + "': '" + word + "' is not a triangle number";
          return false;
        }
        numbers.push_back(number);
      }
    }
    if (file.bad()) {
      oError = "cannot read the triangle list '" + iList + "'";
      return false;
    }
  }
  if (numbers.empty()) {
    oError = "no triangle selected by '" + iList + "'";
    return false;
  }
  std::vector<bool> seen(static_cast<size_t>(iPolygon.GetNbTriangles(1)) + 1, false);
  for (const long number : numbers) {
    const int t = static_cast<int>(number);
    if (!iPolygon.IsTriangleValid(t)) {
      oError = "triangle " + std::to_string(number) + " is not a triangle of the mesh (1.." +
               std::to_string(iPolygon.GetNbTriangles(1)) + ")";
      return false;
    }
    if (!seen[t]) {
      seen[t] = true;
      oTriangles.Append(t);
    }
  }
  return true;
}
