// Conversion of one YCF file into one miniSEED file: the checks on its
// output name, and the block loop with its acceptance test, taking the
// blocks in file order as one series or, with "/streams", stream by stream.
#include "driver/convert_file.h"

#include <cstring>
#include <iostream>

#include "blocks/ycf_block.h"
#include "driver/input_file.h"
#include "driver/run_rules.h"
#include "driver/stream_table.h"
#include "driver/switches.h"
#include "records/seed_file.h"

namespace drumlin {

namespace {

// Every block in file order, one run after the other.
void ConvertInFileOrder(InputFile& Input, TSEEDFile& Output, const RunSwitches& Switches) {
  Continuity Series;
  const std::string Unnamed;
  while (const YcfBlock* Next = Input.NextBlock()) {
    const YcfBlock& Block = *Next;
    if (!IsUsableDataBlock(Block)) {
      ReportInvalidBlock(Output);
      continue;
    }
    TakeBlock(Block, Series, Output, Output, Switches, Unnamed);
  }
  Output.Flush();
}

// Every stream of the file in runs of its own ("/streams").
void ConvertByStream(InputFile& Input, TSEEDFile& Output, const RunSwitches& Switches) {
  StreamTable Streams(Output);
  while (const YcfBlock* Next = Input.NextBlock()) {
    const YcfBlock& Block = *Next;
    if (!IsUsableDataBlock(Block)) {
      ReportInvalidBlock(Output);
      continue;
    }
    Streams.TakeBlock(Block, Switches);
  }
  Streams.CloseAll();
}

}  // namespace

void ConvertFile(const std::string& InputName, OutputNames& Outputs) {
  InputFile Input(InputName);
  if (!Input.IsOpen()) {
    std::cout << "ERROR: unable to open file " << InputName << '\n';
    return;
  }
  const std::string OutputName = Outputs.For(InputName);
  if (Input.IsSameFileAs(OutputName)) {
    std::cout << "ERROR: output file " << OutputName << " is the input file " << InputName
              << " - skipping\n";
    return;
  }
  if (const auto Earlier = Outputs.Claim(OutputName, InputName)) {
    std::cout << "ERROR: " << InputName << " and " << *Earlier << " both convert to " << OutputName
              << " - skipping " << InputName << '\n';
    return;
  }
  TSEEDFile Output(OutputName);
  Output.CollectRecords(true);  // fewer, larger writes; drained before every message
  const RunSwitches Switches = RunSwitches::FromCommandLine();
  if (FindSwitch(kStreamsSwitch))
    ConvertByStream(Input, Output, Switches);
  else
    ConvertInFileOrder(Input, Output, Switches);
  // What was read before the failure is converted as if the file ended there.
  if (const int Error = Input.ReadError())
    std::cout << "ERROR: read error in " << InputName << ": " << std::strerror(Error)
              << " - the rest of the file is not converted\n";
  Output.Finish();
}

}  // namespace drumlin
