#include "driver/archive_file.h"

#include <iostream>

#include "driver/block_loop.h"
#include "driver/input_file.h"
#include "records/record_output.h"
#include "records/record_run.h"

namespace drumlin {

namespace {

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
  // Records go into the archive in batches of the output's buffer: larger
  // batches were measured slower (they leave the processor's cache before
  // they are written) and cost memory.
  RecordOutput Output(Ingest, RecordOutput::kDefaultCapacity, RecordOutput::Leaving::WhenFull);
  Output.CollectRecords(true);
  RecordRun Run(Output);
  ConvertBlocks(InputName, Input, Output, Run, RunSwitches::FromCommandLine());
  Output.WriteAll();
  Tell(InputName, Ingest.Report());
}

}  // namespace drumlin
