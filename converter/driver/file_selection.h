// Selection of the input files named by file name or pattern parameters,
// wildcards included.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace drumlin {

struct FilePattern {
  std::string Directory;  // up to and including the last '/'; may be empty
  std::string Pattern;    // the rest: a name or a shell wildcard pattern
};

FilePattern SplitFilePattern(const std::string& Argument);

struct Selection {
  // Names of the selected entries, in listing order.
  std::vector<std::string> Names;
  // Whether the pattern matched any entry at all, a directory passed over
  // included.
  bool MatchedAnything = false;
};

// The directories named by the parameters of one command line, each listed
// once however many parameters name entries in it: a shell that expands
// a wildcard hands over thousands of names of one directory.
class DirectoryListings {
 public:
  // The entries of the directory (the current one when empty) that match
  // the pattern (case significant, a leading '.' matched like any other
  // character), in listing order, without directories and links to them.
  // An unreadable directory selects nothing.
  Selection Select(const FilePattern& Wanted);

 private:
  struct Entry {
    std::string Name;
    unsigned char Type;  // the listing's entry type (DT_REG, DT_DIR, ...)
  };
  struct Listing {
    std::vector<Entry> Entries;                          // in listing order
    std::unordered_map<std::string, std::size_t> Index;  // name -> entry
  };

  const Listing& ListingOf(const std::string& Directory);

  std::unordered_map<std::string, Listing> Listings_;
};

// The selection of one pattern on its own.
std::vector<std::string> SelectFiles(const FilePattern& Wanted);

}  // namespace drumlin
