#include "driver/block_loop.h"

#include <cstring>
#include <iostream>

#include "blocks/ycf_block.h"
#include "driver/stream_table.h"
#include "driver/switches.h"

namespace drumlin {

namespace {

// Every block in file order, one run after the other.
void ConvertInFileOrder(InputFile& Input, RecordOutput& Output, RecordRun& Run,
                        const RunSwitches& Switches) {
  Continuity Series;
  const std::string Unnamed;
  while (const YcfBlock* Next = Input.NextBlock()) {
    const YcfBlock& Block = *Next;
    if (!IsUsableDataBlock(Block)) {
      ReportInvalidBlock(Output);
      continue;
    }
    TakeBlock(Block, Series, Run, Output, Switches, Unnamed);
  }
  Run.Flush();
}

// Every stream of the file in runs of its own ("/streams").
void ConvertByStream(InputFile& Input, RecordOutput& Output, const RunSwitches& Switches) {
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

void ConvertBlocks(const std::string& InputName, InputFile& Input, RecordOutput& Output,
                   RecordRun& FileOrderRun, const RunSwitches& Switches) {
  if (FindSwitch(kStreamsSwitch))
    ConvertByStream(Input, Output, Switches);
  else
    ConvertInFileOrder(Input, Output, FileOrderRun, Switches);
  // What was read before the failure is converted as if the file ended there.
  if (const int Error = Input.ReadError()) {
    Output.WritePending();
    std::cout << "ERROR: read error in " << InputName << ": " << std::strerror(Error)
              << " - the rest of the file is not converted\n";
  }
}

}  // namespace drumlin
