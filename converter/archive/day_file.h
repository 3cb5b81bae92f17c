// One day file of the archive and the records of a batch that belong in it.
// The file is changed only under its lock, so any number of processes (on
// one machine, or on several over a file system with POSIX locks) may put
// records into it at once; what they leave is what one process would.
//
// At every instant a reader finds the file whole: records that all follow
// the file's last one are appended (the file grows by whole records, page
// by page); any other change writes a new file beside it and puts it in
// place with one rename, after its data are on the disk. A write that fails
// leaves the file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "archive/record_place.h"

namespace drumlin {

// What the records of one batch did to their day file.
struct DayFileChange {
  uint64_t Added = 0;         // new to the file
  uint64_t Replaced = 0;      // in place of one at their start with fewer samples
  uint64_t AlreadyThere = 0;  // the file held them, or a better one at their start
  // The first overlap of a record of the batch with a neighbour that starts
  // at another time: from its start to the earlier end of the two.
  std::optional<std::pair<int64_t, int64_t>> Overlap;
};

// What this process keeps of its last visit to a day file: the file still
// open, as the visit left it (its identity and size), the index after the
// last record the visit went through, and whether what a killed process may
// have left beside it was looked for. What no longer holds is not used.
struct DayFileVisit {
  DayFileVisit() = default;
  ~DayFileVisit();
  DayFileVisit(const DayFileVisit&) = delete;
  DayFileVisit& operator=(const DayFileVisit&) = delete;

  int Fd = -1;
  std::pair<uint64_t, uint64_t> Identity;  // device and inode
  uint64_t Size = UINT64_MAX;
  uint64_t Next = 0;
  bool Cleaned = false;
};

// Puts Records into the day file Path, creating it when missing. Records
// are sorted by start, no two start at the same instant, and all belong to
// the day file (one stream, one day). A record whose start the file holds
// already replaces the one there only if it outranks it (see Outranks).
// Raises StreamError naming the file: it cannot be created, locked, read or
// written, is no regular file, or holds records of another kind.
// Visit is what this process kept of its last visit to the file, and
// keeps what this visit leaves.
DayFileChange IngestIntoDayFile(const std::string& Path, std::span<const RecordPlace> Records,
                                DayFileVisit& Visit);

// The hidden name beside the day file Path that a new file takes, under the
// day file's lock, before it replaces the day file.
std::string OwnTemporaryName(const std::string& Path);

}  // namespace drumlin
