// Selection of the input files named by the filespec parameter, wildcards included.
#pragma once

#include <string>
#include <vector>

namespace drumlin {

struct FilePattern {
  std::string Directory;  // up to and including the last '/'; may be empty
  std::string Pattern;    // the rest: a name or a shell wildcard pattern
};

FilePattern SplitFilePattern(const std::string& Argument);

// Names of the entries of the directory (the current one when empty) that
// match the pattern (case significant, a leading '.' matched like any other
// character), in listing order, without directories and links to them.
// An unreadable directory selects nothing.
std::vector<std::string> SelectFiles(const FilePattern& Wanted);

}  // namespace drumlin
