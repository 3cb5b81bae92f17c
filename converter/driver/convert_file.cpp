// Conversion of one YCF file into one miniSEED file: the checks on its
// output name, the block loop with its acceptance test, gaps and new runs,
// and the hand-over of each block's samples.
#include "driver/convert_file.h"

#include <iostream>
#include <optional>

#include "blocks/stream_id.h"
#include "blocks/ycf_block.h"
#include "driver/input_file.h"
#include "driver/switches.h"
#include "records/seed_file.h"
#include "time/us_time.h"

namespace drumlin {

namespace {

// What a run's header was set up from: a block of another stream or rate
// cannot be written under it.
struct RunIdentity {
  uint32_t System = 0;
  uint32_t Stream = 0;
  uint16_t Rate = 0;

  static RunIdentity Of(const YcfBlock& Block) {
    return {SystemId(Block), StreamId(Block), SampleRate(SampleRateCode(Block))};
  }
  bool operator==(const RunIdentity&) const = default;
};

void OpenRun(TSEEDFile& Output, const YcfBlock& Block) {
  Output.InitHeader(Block);
  Output.SetNetwork(SwitchValue("/net:", Output.GetNetwork()));
  if (FindSwitch("/sys")) Output.SetStation(Base36Id(SystemId(Block)));
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
  std::optional<TSEEDFile> Output;
  Output.emplace(OutputName);

  Output->CollectRecords(true);  // fewer, larger writes; drained before every message

  UsTime ExpectedStart = 0;
  RunIdentity Run;
  while (YcfBlock* Next = Input.NextBlock()) {
    YcfBlock& Block = *Next;
    ConvertBlock(Block);
    const UsTime Start = BlockStart(Block);
    if (!IsUsableDataBlock(Block)) {
      Output->WritePending();
      std::cout << "WARNING: Invalid YCF Data block - skipping\n";
      continue;
    }
    if (ExpectedStart == 0) ExpectedStart = Start;
    if (Start != ExpectedStart) {
      Output->WritePending();
      std::cout << "WARNING: Gap in time-series from " << UsToText(0, ExpectedStart) << " to "
                << UsToText(0, Start) << '\n';
      Output->Flush();
    } else if (!Output->NeedHeader && !(RunIdentity::Of(Block) == Run)) {
      Output->Flush();  // another stream or rate follows on: a new run, no gap
    }
    ExpectedStart = Start + BlockDuration(Block);  // the block's end
    if (Output->NeedHeader) {
      OpenRun(*Output, Block);
      Run = RunIdentity::Of(Block);
    }
    Output->AddBlockSamples(Block);
  }
  Output->Flush();
  Output->Finish();
}

}  // namespace drumlin
