// The block loop of one input: every block read, unusable ones reported and
// skipped, the usable ones taken into runs of records, in file order as one
// series or, with "/streams", stream by stream.
#pragma once

#include <string>

#include "driver/input_file.h"
#include "driver/run_rules.h"
#include "records/record_output.h"
#include "records/record_run.h"

namespace drumlin {

// Converts every block of Input into records for Output; in file order the
// runs go through FileOrderRun, which writes into Output. Every run is
// closed at the end; a read error that ended the input is reported.
void ConvertBlocks(const std::string& InputName, InputFile& Input, RecordOutput& Output,
                   RecordRun& FileOrderRun, const RunSwitches& Switches);

}  // namespace drumlin
