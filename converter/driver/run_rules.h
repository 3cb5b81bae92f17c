// The rules that take one accepted block into a run: the gap test against
// the start expected from the run's previous block, a new run where the
// block does not follow on or cannot share the run's header, the "/net:" and
// "/sys" switches on every new run, and the block's samples. The default
// mode applies them to the whole file as one series of blocks, "/streams"
// to every stream of the file on its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "blocks/ycf_block.h"
#include "records/record_output.h"
#include "records/record_run.h"
#include "time/us_time.h"

namespace drumlin {

// The switches that shape every new run, read once per file.
struct RunSwitches {
  std::optional<std::string> Network;  // the "/net:" value when the switch is given
  bool SystemAsStation = false;        // "/sys"

  static RunSwitches FromCommandLine();
};

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

// A series of blocks from block to block: the start expected of its next
// block (0 before the first) and what its current run was set up from.
struct Continuity {
  UsTime ExpectedStart = 0;
  RunIdentity Run;
};

// Takes one converted usable data block into the series: a block that does
// not start where the last one ended is reported (after the records pending
// in Output are written) and closes the run; a block of another stream or
// rate that follows on closes it without a message; a new run is opened as
// needed; then the block's samples are added. The gap warning names the
// series when SeriesName is not empty.
void TakeBlock(const YcfBlock& Block, Continuity& Series, RecordRun& Run, RecordOutput& Output,
               const RunSwitches& Switches, const std::string& SeriesName);

// The invalid-block warning, after the records pending in Output.
void ReportInvalidBlock(RecordOutput& Output);

}  // namespace drumlin
