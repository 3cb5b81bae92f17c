#include "driver/run_rules.h"

#include <iostream>

#include "blocks/stream_id.h"
#include "driver/switches.h"
#include "records/ini_file_name.h"

namespace drumlin {

RunSwitches RunSwitches::FromCommandLine() {
  RunSwitches Switches;
  if (FindSwitch(kNetworkSwitch)) Switches.Network = SwitchValue(kNetworkSwitch, "");
  Switches.SystemAsStation = FindSwitch(kSystemAsStationSwitch);
  return Switches;
}

namespace {

void OpenRun(RecordRun& Run, const YcfBlock& Block, const RunSwitches& Switches) {
  Run.InitHeader(Block);
  // The "/net:" value replaces the code the header got (an empty value too).
  if (Switches.Network) Run.SetNetwork(*Switches.Network);
  if (Switches.SystemAsStation) Run.SetStation(Base36Id(SystemId(Block)));
}

// A named export parameters file that is not there is told once per batch,
// when a run first looks for it: the records carry the default codes.
void ReportMissingExportFile(RecordOutput& Output) {
  static std::string ReportedFor;
  if (!IniFileMissing() || IniFileName == ReportedFor) return;
  ReportedFor = IniFileName;
  Output.WritePending();
  std::cout << "WARNING: export parameters file " << IniFileName
            << " not found - default codes used\n";
}

}  // namespace

void TakeBlock(const YcfBlock& Block, Continuity& Series, RecordRun& Run, RecordOutput& Output,
               const RunSwitches& Switches, const std::string& SeriesName) {
  const UsTime Start = BlockStart(Block);
  if (Series.ExpectedStart == 0) Series.ExpectedStart = Start;
  if (Start != Series.ExpectedStart) {
    Output.WritePending();
    std::cout << "WARNING: Gap in time-series" << (SeriesName.empty() ? "" : " of ") << SeriesName
              << " from " << UsToText(0, Series.ExpectedStart) << " to " << UsToText(0, Start)
              << '\n';
    Run.Flush();
  } else if (!Run.NeedHeader && !(RunIdentity::Of(Block) == Series.Run)) {
    Run.Flush();  // another stream or rate follows on: a new run, no gap
  }
  Series.ExpectedStart = Start + BlockDuration(Block);  // the block's end
  if (Run.NeedHeader) {
    OpenRun(Run, Block, Switches);
    ReportMissingExportFile(Output);
    Series.Run = RunIdentity::Of(Block);
  }
  Run.AddBlockSamples(Block);
}

void ReportInvalidBlock(RecordOutput& Output) {
  Output.WritePending();
  std::cout << "WARNING: Invalid YCF Data block - skipping\n";
}

}  // namespace drumlin
