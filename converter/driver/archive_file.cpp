#include "driver/archive_file.h"

#include <iostream>

#include "driver/block_loop.h"
#include "driver/input_file.h"
#include "records/record_output.h"
#include "records/record_run.h"

namespace drumlin {

namespace {

// Records put into the archive at a time. Every batch costs a visit to each
// of its day files (a lock, a look at the file's end), and the records of a
// batch touch fresh memory once per process: an input of an hour or so goes
// in batches of the output's buffer, a long recording in batches four times
// as large, which still stay in the processor's cache (measured: larger
// ones were slower).
std::size_t BatchRecords(uint64_t InputSize) {
  constexpr uint64_t kLongInput = 16 * 1024 * 1024;
  return RecordOutput::kDefaultCapacity * (InputSize >= kLongInput ? 4 : 1);
}

// The day files a line names before it only counts the rest.
constexpr std::size_t kDayFilesNamed = 3;

void Tell(const std::string& InputName, const IngestReport& Report) {
  for (const std::string& Stream : Report.Refused)
    std::cout << "ERROR: " << InputName << ": stream " << Stream
              << " not archived; give /net: or an export parameters entry\n";
  for (const std::string& Overlap : Report.Overlaps)
    std::cout << "WARNING: records overlap in " << Overlap << '\n';
  std::cout << "Archived " << Report.Archived << (Report.Archived == 1 ? " record" : " records");
  if (Report.Replaced > 0) std::cout << " (" << Report.Replaced << " in place of shorter ones)";
  for (std::size_t I = 0; I < Report.DayFiles.size() && I < kDayFilesNamed; ++I)
    std::cout << (I == 0 ? " in " : ", ") << Report.DayFiles[I];
  if (Report.DayFiles.size() > kDayFilesNamed)
    std::cout << " and " << Report.DayFiles.size() - kDayFilesNamed << " more day files";
  std::cout << "; " << Report.AlreadyThere << " already there\n";
}

}  // namespace

void ArchiveFile(const std::string& InputName, SdsArchive& Archive) {
  InputFile Input(InputName);
  if (!Input.IsOpen()) {
    std::cout << "ERROR: unable to open file " << InputName << '\n';
    return;
  }
  ArchiveIngest Ingest(Archive);
  RecordOutput Output(Ingest, BatchRecords(Input.Size()), RecordOutput::Leaving::WhenFull);
  Output.CollectRecords(true);
  RecordRun Run(Output);
  ConvertBlocks(InputName, Input, Output, Run, RunSwitches::FromCommandLine());
  Output.WriteAll();
  Tell(InputName, Ingest.Report());
}

}  // namespace drumlin
