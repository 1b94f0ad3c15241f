#ifndef KelErrnoText_h
#define KelErrnoText_h
// The system's text for an error number, lower-cased to sit after a colon in one-line messages.

#include <cctype>
#include <cstring>
#include <string>

inline std::string KelErrnoText(int iErrno)
{
  std::string text = std::strerror(iErrno);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

#endif
