#include "TriangleSelection.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
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

// "A-B" with both parts digits: the two parts.
bool SplitRange(const std::string& iText, std::string& oFirst, std::string& oLast)
{
  const size_t dash = iText.find('-');
  if (dash == std::string::npos || dash == 0 || dash + 1 == iText.size()) return false;
  oFirst = iText.substr(0, dash);
  oLast = iText.substr(dash + 1);
  return oFirst.find_first_not_of("0123456789") == std::string::npos &&
         oLast.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool KelParseTriangleSelection(const std::string& iList, const KelCldPolygon& iPolygon, KelRawCollint& oTriangles,
                               std::string& oError)
{
  oTriangles.RemoveAll();
  std::vector<long> numbers;
  std::string firstText, lastText;
  std::ifstream file(iList);
  if (!file && SplitRange(iList, firstText, lastText)) {
    const long first = ParseNumber(firstText), last = ParseNumber(lastText);
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
