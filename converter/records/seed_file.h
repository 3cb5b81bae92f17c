// The miniSEED record file of one conversion: a file stream holding one
// 4096-byte data record (fixed header, blockette 1000, 63 Steim-1 frames).
// Runs of contiguous input blocks share one header set up by InitHeader;
// samples go in through AddSample, full records are written as they fill,
// Flush closes a run with its partly filled record, and Finish puts the file
// in place once the last run is closed. Further runs (RecordRun) may write
// into the same file, each record leaving in the order it fills.
#pragma once

#include <string>

#include "records/file_stream.h"
#include "records/record_output.h"
#include "records/record_run.h"

namespace drumlin {

class TSEEDFile : public FileStream, public RecordOutput, public RecordRun {
 public:
  // Prepares the new file for FileName (see FileStream); raises
  // StreamCreateError. NeedHeader is set; InitHeader must run before samples.
  explicit TSEEDFile(const std::string& FileName)
      : FileStream(FileName),
        RecordOutput(static_cast<FileStream&>(*this)),
        RecordRun(static_cast<RecordOutput&>(*this)) {}
};

}  // namespace drumlin
