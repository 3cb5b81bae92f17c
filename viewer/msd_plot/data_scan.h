// Reading the files in two passes. The first reads record headers only:
// which streams there are (in the order first met), where each has data
// (gaps, overlaps) and the span of it all. The second decodes the samples
// of the records that reach into the window and folds them into each
// stream's envelope. Neither pass keeps samples.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "msd_plot/coverage.h"
#include "msd_plot/envelope.h"
#include "msd_plot/instant.h"

namespace viewer {

struct StreamData {
  std::string Id;  // NET.STA.LOC.CHA
  Coverage Covered;
  Interval Span;  // from the first sample to the end of the last record
  int64_t Records = 0;
  int64_t Samples = 0;
  // Records and their samples reaching into the window of the first pass.
  int64_t RecordsInWindow = 0;
  int64_t SamplesInWindow = 0;
};

// A file read in the first pass, and how far it was read as whole records.
struct ReadFile {
  std::string Path;
  int64_t Bytes = 0;
};

struct Scan {
  std::vector<StreamData> Streams;  // in the order first met
  std::vector<ReadFile> Files;
  std::optional<Interval> Span;  // of all data records
};

// Called once for every file that cannot be read whole, with the reason.
using ProblemReport = std::function<void(const std::string& Path, const std::string& Reason)>;

// The first pass. Window (when known beforehand) selects the records
// counted in RecordsInWindow and SamplesInWindow; without it all count.
Scan ScanHeaders(const std::vector<std::string>& Files, std::optional<Interval> Window,
                 const ProblemReport& Report);

// The second pass: the samples of every record of Scan's files that reaches
// into the envelopes' window, folded into the envelope of its stream
// (Envelopes[i] belongs to Scan.Streams[i]). Returns the records folded.
int64_t FoldSamples(const Scan& Read, std::vector<Envelope>& Envelopes,
                    const ProblemReport& Report);

}  // namespace viewer
