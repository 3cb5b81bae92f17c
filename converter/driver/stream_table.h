// The streams of a file converted with "/streams": every stream (one system
// and stream identifier pair) has a run of its own, and the blocks of each
// are taken by the rules of a run against that stream's previous block only.
// At most kOpenStreams runs stay open: when a block of one more stream
// arrives, the run of the stream whose last block is oldest is closed as at
// a gap, without a message, so that memory stays bounded whatever the input.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "blocks/ycf_block.h"
#include "driver/run_rules.h"
#include "records/record_output.h"
#include "records/record_run.h"

namespace drumlin {

class StreamTable {
 public:
  static constexpr std::size_t kOpenStreams = 16;

  // Runs write into Output, which must outlive the table.
  explicit StreamTable(RecordOutput& Output);

  // Takes one converted usable data block into its stream's run.
  void TakeBlock(const YcfBlock& Block, const RunSwitches& Switches);

  // Closes the runs still open, in the order their streams first appeared.
  void CloseAll();

 private:
  struct Stream {
    explicit Stream(RecordOutput& Output) : Run(Output) {}
    bool Open = false;
    uint32_t System = 0;
    uint32_t StreamId = 0;
    std::string Name;       // "system-stream" in base 36, for its gap warning
    uint64_t Appeared = 0;  // when its first block came, in blocks taken
    uint64_t LastBlock = 0;
    Continuity Series;
    RecordRun Run;
  };

  // The stream of Block, opened (in a slot freed as needed) when it is new.
  Stream& StreamOf(const YcfBlock& Block);

  RecordOutput& Output_;
  std::vector<std::unique_ptr<Stream>> Streams_;
  Stream* Last_ = nullptr;  // the stream of the previous block
  uint64_t Blocks_ = 0;
};

}  // namespace drumlin
