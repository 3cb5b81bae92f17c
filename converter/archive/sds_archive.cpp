#include "archive/sds_archive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "archive/record_place.h"
#include "archive/sds_names.h"
#include "records/stream_error.h"

namespace drumlin {

namespace {

// Folders remembered as made: enough for the streams and days of any batch
// of records, small enough to stay bounded over any run.
constexpr std::size_t kFoldersRemembered = 4096;

// Header bytes that name a record's day file: its codes, year and day.
constexpr std::size_t kDayFileKeyBegin = offsetof(RecordHeader, Station);
constexpr std::size_t kDayFileKeyEnd = offsetof(RecordHeader, Hour);

// The records of a batch that go to one day file.
struct DayFileGroup {
  const uint8_t* Model;  // its first record
  StreamCodes Codes;
  int Year = 0;
  int DayOfYear = 0;
  std::string Problem;  // why the codes cannot name a day file
};

struct Placed {
  std::size_t Group;
  RecordPlace Place;
};

}  // namespace

SdsArchive::SdsArchive(std::string Folder) : Folder_(std::move(Folder)) {}

void SdsArchive::MakeFolder(const std::string& Relative) {
  if (Made_.count(Relative)) return;
  const std::string Whole = Folder_ + Relative + "/";
  struct stat Info {};
  if (::stat(Whole.c_str(), &Info) != 0 || !S_ISDIR(Info.st_mode)) MakeParents(Whole);
  if (Made_.size() >= kFoldersRemembered) Made_.clear();
  Made_.insert(Relative);
}

void SdsArchive::MakeParents(const std::string& Whole) {
  for (std::size_t Slash = Whole.find('/', 1); Slash != std::string::npos;
       Slash = Whole.find('/', Slash + 1)) {
    const std::string Part = Whole.substr(0, Slash);
    if (::mkdir(Part.c_str(), 0777) != 0 && errno != EEXIST) throw StreamCreateError(Part, errno);
  }
}

DayFileVisit& SdsArchive::VisitOf(const std::string& Path) {
  ++VisitCount_;
  KeptVisit* Oldest = nullptr;
  for (KeptVisit& Kept : Visits_) {
    if (Kept.Path == Path) {
      Kept.LastUsed = VisitCount_;
      return *Kept.Visit;
    }
    if (!Oldest || Kept.LastUsed < Oldest->LastUsed) Oldest = &Kept;
  }
  if (Visits_.size() < kVisitsKept) {
    Visits_.push_back({Path, VisitCount_, std::make_unique<DayFileVisit>()});
    return *Visits_.back().Visit;
  }
  *Oldest = {Path, VisitCount_, std::make_unique<DayFileVisit>()};
  return *Oldest->Visit;
}

bool SdsArchive::FirstOverlapIn(const std::string& Name) {
  return OverlapsTold_.insert(Name).second;
}

void ArchiveIngest::TakeRecords(const uint8_t* Records, std::size_t Count) {
  // Every record with the day file it goes to: the groups of a batch are
  // few (its streams and days), so they are looked up one by one.
  std::vector<DayFileGroup> Groups;
  std::vector<Placed> Batch;
  Batch.reserve(Count);
  for (std::size_t I = 0; I < Count; ++I) {
    const uint8_t* Record = Records + I * kRecordLength;
    const RecordHeader Header =
        ParseHeader(*reinterpret_cast<const uint8_t(*)[kRecordHeaderLength]>(Record));
    std::size_t Group = 0;
    while (Group < Groups.size() &&
           std::memcmp(Groups[Group].Model + kDayFileKeyBegin, Record + kDayFileKeyBegin,
                       kDayFileKeyEnd - kDayFileKeyBegin) != 0)
      ++Group;
    if (Group == Groups.size()) {
      DayFileGroup New{Record, CodesOf(Header), Header.Year, Header.DayOfYear, ""};
      New.Problem = CodeProblem(New.Codes);
      Groups.push_back(std::move(New));
    }
    Batch.push_back({Group, PlaceOf(Header, Record)});
  }
  // By day file, then by start, the record to keep first at every start.
  std::sort(Batch.begin(), Batch.end(), [](const Placed& A, const Placed& B) {
    if (A.Group != B.Group) return A.Group < B.Group;
    if (A.Place.Start != B.Place.Start) return A.Place.Start < B.Place.Start;
    return Outranks(A.Place, B.Place);
  });

  std::vector<RecordPlace> Day;
  for (std::size_t Begin = 0; Begin < Batch.size();) {
    const DayFileGroup& Group = Groups[Batch[Begin].Group];
    Day.clear();
    uint64_t Outranked = 0;
    std::size_t End = Begin;
    for (; End < Batch.size() && Batch[End].Group == Batch[Begin].Group; ++End) {
      // Of the records that start at one instant, the first is kept.
      if (!Day.empty() && Day.back().Start == Batch[End].Place.Start)
        ++Outranked;
      else
        Day.push_back(Batch[End].Place);
    }
    Begin = End;

    const std::string Stream = StreamName(Group.Codes);
    if (!Group.Problem.empty()) {
      if (StreamsRefused_.insert(Stream).second)
        Report_.Refused.push_back(Stream + " (" + Group.Problem + ")");
      continue;
    }
    const std::string Folder = DayFolder(Group.Codes, Group.Year);
    const std::string Name = DayFileName(Group.Codes, Group.Year, Group.DayOfYear);
    Archive_.MakeFolder(Folder);
    const std::string Path = Archive_.Folder() + Folder + "/" + Name;
    const DayFileChange Change = IngestIntoDayFile(Path, Day, Archive_.VisitOf(Path));
    Report_.Archived += Change.Added + Change.Replaced;
    Report_.Replaced += Change.Replaced;
    Report_.AlreadyThere += Change.AlreadyThere + Outranked;
    if (DayFilesMet_.insert(Name).second) Report_.DayFiles.push_back(Name);
    if (Change.Overlap && Archive_.FirstOverlapIn(Name))
      Report_.Overlaps.push_back(Name + ": " + TimeOfDayText(Change.Overlap->first) + " to " +
                                 TimeOfDayText(Change.Overlap->second));
  }
}

}  // namespace drumlin
