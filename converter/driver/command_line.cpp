#include "driver/command_line.h"

#include <unordered_set>

#include "driver/file_selection.h"
#include "driver/switches.h"

namespace drumlin {

namespace {

bool AsksForHelp(const std::string& Parameter) {
  return Parameter == "--help" || Parameter == "-h" || Parameter == "-?" || Parameter == "/?";
}

}  // namespace

CommandLine ReadCommandLine() {
  const std::vector<std::string>& Given = Parameters();
  CommandLine Line;
  if (Given.empty()) return Line;
  if (AsksForHelp(Given.front())) {
    Line.What = CommandLine::Action::Help;
    return Line;
  }
  if (Given.front() == "--version") {
    Line.What = CommandLine::Action::Version;
    return Line;
  }

  DirectoryListings Listings;
  std::unordered_set<std::string> Taken;  // a file named twice is converted once
  for (std::size_t I = 0; I < Given.size(); ++I) {
    const FilePattern Wanted = SplitFilePattern(Given[I]);
    const Selection Selected = Listings.Select(Wanted);
    if (I > 0 && !Selected.MatchedAnything && !IsSwitch(Given[I]))
      Line.Problems.push_back(Given[I] + " is neither a switch of DRUMLIN's nor a file");
    for (const std::string& Name : Selected.Names)
      if (Taken.insert(Wanted.Directory + Name).second)
        Line.Inputs.push_back({Wanted.Directory, Name});
  }
  if (FindSwitch(kArchiveSwitch)) {
    if (SwitchValue(kArchiveSwitch, "").empty())
      Line.Problems.push_back("/sds: needs the archive's folder, as in /sds:/data/archive");
    if (FindSwitch(kOutputDirectorySwitch))
      Line.Problems.push_back(
          "/o: and /sds: exclude each other: records go to files or to an "
          "archive");
  }
  Line.What = Line.Problems.empty() ? CommandLine::Action::Convert : CommandLine::Action::Refuse;
  return Line;
}

}  // namespace drumlin
