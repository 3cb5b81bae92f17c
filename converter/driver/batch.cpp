#include "driver/batch.h"

#include <iostream>
#include <optional>

#include "driver/archive_file.h"
#include "driver/command_line.h"
#include "driver/convert_file.h"
#include "driver/output_names.h"
#include "driver/switches.h"
#include "driver/usage_text.h"
#include "records/ini_file_name.h"

namespace drumlin {

int RunBatch() {
  const CommandLine Line = ReadCommandLine();
  switch (Line.What) {
    case CommandLine::Action::Usage: std::cout << UsageText(); return 0;
    case CommandLine::Action::Help: std::cout << HelpText(); return 0;
    case CommandLine::Action::Version: std::cout << Banner() << '\n'; return 0;
    case CommandLine::Action::Refuse:
      for (const std::string& Problem : Line.Problems) std::cerr << "DRUMLIN: " << Problem << '\n';
      std::cerr << "DRUMLIN: nothing converted; DRUMLIN --help lists the switches\n";
      return kUsageError;
    case CommandLine::Action::Convert: break;
  }
  IniFileName = SwitchValue(kExportFileSwitch, "");
  std::optional<SdsArchive> Archive;
  if (FindSwitch(kArchiveSwitch))
    Archive.emplace(AbsoluteDirectory(SwitchValue(kArchiveSwitch, "")));
  OutputNames Outputs;
  for (const CommandLine::Input& Input : Line.Inputs) {
    // The log of a batch that is killed shows how far it got: every line
    // leaves when its file is done, and the name of the file under way.
    std::cout << "Converting " << Input.Name << std::endl;
    const std::string Path = Input.Directory + Input.Name;
    if (Archive)
      ArchiveFile(Path, *Archive);
    else
      ConvertFile(Path, Outputs);
    std::cout.flush();
  }
  return 0;
}

}  // namespace drumlin
