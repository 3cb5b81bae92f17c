// The files to read: each file named on the command line as it stands, and
// the miniSEED files found in each folder named, searched recursively (an
// SDS archive, YEAR/NET/STA/CHA.D/NET.STA.LOC.CHA.D.YEAR.DOY, as it is).
#pragma once

#include <string>
#include <vector>

namespace viewer {

struct InputFiles {
  std::vector<std::string> Files;  // in the order of the arguments; a folder's sorted by path
  // Folders that could not be searched, each with the reason.
  std::vector<std::pair<std::string, std::string>> Problems;
  // Files inside the folders passed over because their first bytes are no
  // miniSEED record header (notes, lock files that are not hidden, ...).
  std::vector<std::string> Skipped;
};

// In a folder, hidden files and folders (names starting with '.') are left
// out, as are files whose first bytes are no miniSEED record header; symbolic
// links to files are followed, to folders not. A named file is always read,
// so that a file that is no miniSEED is reported.
InputFiles FindInputFiles(const std::vector<std::string>& Arguments);

}  // namespace viewer
