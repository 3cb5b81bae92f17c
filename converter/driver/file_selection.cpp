#include "driver/file_selection.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace drumlin {
namespace {

// Follows links, so that a link to a directory counts as one.
bool IsDirectory(const std::string& Path) {
  struct stat Status;
  return stat(Path.c_str(), &Status) == 0 && S_ISDIR(Status.st_mode);
}

}  // namespace

FilePattern SplitFilePattern(const std::string& Argument) {
  const std::size_t Slash = Argument.rfind('/');
  if (Slash == std::string::npos) return {"", Argument};
  return {Argument.substr(0, Slash + 1), Argument.substr(Slash + 1)};
}

std::vector<std::string> SelectFiles(const FilePattern& Wanted) {
  std::vector<std::string> Names;
  DIR* Directory = opendir(Wanted.Directory.empty() ? "." : Wanted.Directory.c_str());
  if (Directory == nullptr) return Names;
  // The whole listing is taken before any conversion, so that output files
  // created beside their inputs are never picked up as inputs themselves.
  while (const dirent* Entry = readdir(Directory)) {
    const std::string Name = Entry->d_name;
    if (fnmatch(Wanted.Pattern.c_str(), Name.c_str(), 0) != 0) continue;
    // The listing tells plain files and directories apart; links and
    // entries of unknown kind are looked at.
    if (Entry->d_type == DT_DIR) continue;
    if (Entry->d_type != DT_REG &&
        IsDirectory(Wanted.Directory.empty() ? Name : Wanted.Directory + Name))
      continue;
    Names.push_back(Name);
  }
  closedir(Directory);
  return Names;
}

}  // namespace drumlin
