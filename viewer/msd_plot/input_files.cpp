#include "msd_plot/input_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "msd_plot/record_reader.h"

namespace viewer {

namespace fs = std::filesystem;

namespace {

bool IsHidden(const fs::path& Path) {
  const std::string Name = Path.filename().string();
  return !Name.empty() && Name[0] == '.';
}

void SearchFolder(const std::string& Folder, InputFiles& Found) {
  std::error_code Error;
  fs::recursive_directory_iterator It(Folder, fs::directory_options::none, Error);
  if (Error) {
    Found.Problems.emplace_back(Folder, Error.message());
    return;
  }
  std::vector<std::string> Files;
  for (; It != fs::recursive_directory_iterator(); It.increment(Error)) {
    if (Error) {
      Found.Problems.emplace_back(Folder, Error.message());
      return;
    }
    const fs::directory_entry& Entry = *It;
    if (IsHidden(Entry.path())) {
      if (Entry.is_directory(Error) && !Entry.is_symlink(Error)) It.disable_recursion_pending();
      continue;
    }
    if (Entry.is_regular_file(Error)) Files.push_back(Entry.path().string());
  }
  std::sort(Files.begin(), Files.end());
  for (std::string& File : Files) {
    if (StartsWithRecordHeader(File))
      Found.Files.push_back(std::move(File));
    else
      Found.Skipped.push_back(std::move(File));
  }
}

}  // namespace

InputFiles FindInputFiles(const std::vector<std::string>& Arguments) {
  InputFiles Found;
  for (const std::string& Argument : Arguments) {
    std::error_code Error;
    if (fs::is_directory(Argument, Error))
      SearchFolder(Argument, Found);
    else
      Found.Files.push_back(Argument);
  }
  return Found;
}

}  // namespace viewer
