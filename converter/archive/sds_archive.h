// An SDS archive below one folder, and the records of one input on their
// way into it. Records come as a conversion makes them; each batch is
// sorted into the day files of its streams and days and put into each day
// file under that file's lock (see IngestIntoDayFile), so that every day
// file holds whole records of its stream and day, sorted by start, never
// two with the same start.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "archive/day_file.h"
#include "records/record_sink.h"

namespace drumlin {

class SdsArchive {
 public:
  // Folder: absolute, ending in '/'; made with its missing parents when the
  // first day folder is.
  explicit SdsArchive(std::string Folder);

  const std::string& Folder() const { return Folder_; }

  // Makes the folder Relative below the archive's folder, with its missing
  // parents; raises StreamCreateError naming the folder that cannot be made.
  void MakeFolder(const std::string& Relative);

  // Whether an overlap in the day file Name is yet to be told in this run;
  // true once for every day file.
  bool FirstOverlapIn(const std::string& Name);

  // What this process kept of its last visit to the day file Path (see
  // DayFileVisit): the visits to the most recent kVisitsKept day files.
  DayFileVisit& VisitOf(const std::string& Path);

 private:
  // Makes every folder of the absolute name Whole that is missing.
  static void MakeParents(const std::string& Whole);

  std::string Folder_;
  std::unordered_set<std::string> Made_;  // folders known to stand, a bounded number
  std::unordered_set<std::string> OverlapsTold_;
  static constexpr std::size_t kVisitsKept = 16;
  struct KeptVisit {
    std::string Path;
    uint64_t LastUsed = 0;
    std::unique_ptr<DayFileVisit> Visit;
  };
  std::vector<KeptVisit> Visits_;
  uint64_t VisitCount_ = 0;
};

// What the records of one input did to the archive.
struct IngestReport {
  uint64_t Archived = 0;              // records written, new ones and those replacing others
  uint64_t Replaced = 0;              // of them, records in place of one with fewer samples
  uint64_t AlreadyThere = 0;          // records the archive held, or a better one at their start
  std::vector<std::string> DayFiles;  // the day files they went to, in the order first met
  // One text for every stream whose codes cannot name a day file: the
  // stream and why ("XX.DM07..HHZ (no network code)"); its records are not
  // archived.
  std::vector<std::string> Refused;
  // One text for every day file where records of the input overlap others
  // at other start times, told once per day file and run.
  std::vector<std::string> Overlaps;
};

class ArchiveIngest : public RecordSink {
 public:
  explicit ArchiveIngest(SdsArchive& Archive) : Archive_(Archive) {}

  void TakeRecords(const uint8_t* Records, std::size_t Count) override;

  const IngestReport& Report() const { return Report_; }

 private:
  SdsArchive& Archive_;
  IngestReport Report_;
  std::unordered_set<std::string> DayFilesMet_;
  std::unordered_set<std::string> StreamsRefused_;
};

}  // namespace drumlin
