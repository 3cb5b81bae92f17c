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

// A pattern without wildcard or escape characters matches one name only.
bool IsPlainName(const std::string& Pattern) {
  return Pattern.find_first_of("*?[\\") == std::string::npos;
}

}  // namespace

FilePattern SplitFilePattern(const std::string& Argument) {
  const std::size_t Slash = Argument.rfind('/');
  if (Slash == std::string::npos) return {"", Argument};
  return {Argument.substr(0, Slash + 1), Argument.substr(Slash + 1)};
}

const DirectoryListings::Listing& DirectoryListings::ListingOf(const std::string& Path) {
  const auto [Found, New] = Listings_.try_emplace(Path);
  Listing& Result = Found->second;
  if (!New) return Result;
  DIR* Directory = opendir(Path.empty() ? "." : Path.c_str());
  if (Directory == nullptr) return Result;
  // The whole listing is taken before any conversion, so that output files
  // created beside their inputs are never picked up as inputs themselves.
  while (const dirent* Item = readdir(Directory)) {
    Result.Index.emplace(Item->d_name, Result.Entries.size());
    Result.Entries.push_back({Item->d_name, Item->d_type});
  }
  closedir(Directory);
  return Result;
}

Selection DirectoryListings::Select(const FilePattern& Wanted) {
  const Listing& Entries = ListingOf(Wanted.Directory);
  Selection Result;
  const auto Take = [&](const Entry& Item) {
    Result.MatchedAnything = true;
    // The listing tells plain files and directories apart; links and
    // entries of unknown kind are looked at.
    if (Item.Type == DT_DIR) return;
    if (Item.Type != DT_REG &&
        IsDirectory(Wanted.Directory.empty() ? Item.Name : Wanted.Directory + Item.Name))
      return;
    Result.Names.push_back(Item.Name);
  };
  if (IsPlainName(Wanted.Pattern)) {
    if (const auto Found = Entries.Index.find(Wanted.Pattern); Found != Entries.Index.end())
      Take(Entries.Entries[Found->second]);
    return Result;
  }
  for (const Entry& Item : Entries.Entries)
    if (fnmatch(Wanted.Pattern.c_str(), Item.Name.c_str(), 0) == 0) Take(Item);
  return Result;
}

std::vector<std::string> SelectFiles(const FilePattern& Wanted) {
  return DirectoryListings().Select(Wanted).Names;
}

}  // namespace drumlin
