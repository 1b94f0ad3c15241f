#ifndef SameFile_h
#define SameFile_h
// Guards against writing over an input.

#include <string>

// True when both names reach the same file: equal after resolving ".", ".." and symbolic
// links, or the same device and inode (hard links) when both exist.
bool KelIsSameFile(const std::string& iPath1, const std::string& iPath2);

#endif
