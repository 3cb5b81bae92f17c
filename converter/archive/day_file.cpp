#include "archive/day_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "records/file_stream.h"
#include "records/stream_error.h"

namespace drumlin {

namespace {

// Header bytes that every record of a day file shares: the station,
// location, channel and network codes, the year and the day of the year.
constexpr std::size_t kSharedBegin = offsetof(RecordHeader, Station);
constexpr std::size_t kSharedEnd = offsetof(RecordHeader, Hour);

[[noreturn]] void Refuse(const std::string& Path, const std::string& Reason) {
  throw StreamCreateError(Path, Reason);
}

// The day file open for reading and writing, created when missing, and
// locked. The lock belongs to the open file, so that no other descriptor
// of the file this process opens and closes can release it; a process that
// ends, in whatever way, releases it. The descriptor of the last visit is
// used again while the name still has that file, and kept for the next.
class LockedDayFile {
 public:
  LockedDayFile(const std::string& Path, DayFileVisit& Visit) : Path_(Path), Visit_(Visit) {
    for (;;) {
      Created_ = false;
      struct stat Info {};
      Fd_ = std::exchange(Visit.Fd, -1);
      if (Fd_ < 0) {
        Fd_ = ::open(Path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (Fd_ < 0 && errno == ENOENT) {
          Created_ = true;
          Fd_ = ::open(Path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
          if (Fd_ < 0 && errno == EEXIST) continue;  // made meanwhile
        }
        if (Fd_ < 0) {
          if (errno == ELOOP) Refuse(Path, "It is a symbolic link, not a day file");
          throw StreamCreateError(Path, errno);
        }
        if (::fstat(Fd_, &Info) != 0) GiveUp(StreamCreateError(Path, errno));
        if (!S_ISREG(Info.st_mode)) GiveUp(StreamCreateError(Path, "It is no regular file"));
      }
      Lock(F_WRLCK);
      if (::fstat(Fd_, &Info) != 0) GiveUp(StreamCreateError(Path, errno));
      // Another process may have put a new file under the name, or removed
      // it, since this one opened it: start again with the name's file then.
      struct stat Now {};
      if (::stat(Path.c_str(), &Now) == 0 && Now.st_dev == Info.st_dev &&
          Now.st_ino == Info.st_ino) {
        Identity_ = {static_cast<uint64_t>(Info.st_dev), static_cast<uint64_t>(Info.st_ino)};
        SizeAtLock_ = static_cast<uint64_t>(Info.st_size);
        return;
      }
      ::close(Fd_);
    }
  }
  ~LockedDayFile() {
    if (Keep_) {
      Lock(F_UNLCK);
      Visit_.Fd = Fd_;
    } else {
      ::close(Fd_);
    }
  }
  LockedDayFile(const LockedDayFile&) = delete;
  LockedDayFile& operator=(const LockedDayFile&) = delete;

  int Fd() const { return Fd_; }
  uint64_t SizeAtLock() const { return SizeAtLock_; }
  std::pair<uint64_t, uint64_t> Identity() const { return Identity_; }

  // The name no longer has this file: its descriptor is not kept.
  void Replaced() { Keep_ = false; }

  // Leaves the file as it was: cut back to Size, and removed again when
  // this process made it and it is empty.
  void Restore(uint64_t Size) {
    if (::ftruncate(Fd_, static_cast<off_t>(Size)) == 0 && Created_ && Size == 0) {
      ::unlink(Path_.c_str());
      Replaced();
    }
  }

 private:
  void Lock(short Kind) {
    struct flock Whole {};
    Whole.l_type = Kind;
    Whole.l_whence = SEEK_SET;
    while (::fcntl(Fd_, Kind == F_UNLCK ? F_OFD_SETLK : F_OFD_SETLKW, &Whole) != 0) {
      if (errno == EINTR) continue;
      if (Kind == F_UNLCK) return;  // closing the descriptor releases it then
      GiveUp(StreamCreateError(Path_, std::string("It cannot be locked: ") + std::strerror(errno)));
    }
  }

  // Closes the file and raises Error, for failures before the file is held.
  template <typename Error>
  [[noreturn]] void GiveUp(const Error& Failure) {
    ::close(Fd_);
    throw Failure;
  }

  std::string Path_;
  DayFileVisit& Visit_;
  int Fd_ = -1;
  bool Created_ = false;
  bool Keep_ = true;
  uint64_t SizeAtLock_ = 0;
  std::pair<uint64_t, uint64_t> Identity_;  // device and inode
};

// The records a day file holds, read a window at a time.
class ExistingRecords {
 public:
  ExistingRecords(int Fd, const std::string& Path, uint64_t Count, const uint8_t* Model)
      : Fd_(Fd), Path_(Path), Count_(Count), Model_(Model) {}

  uint64_t Count() const { return Count_; }

  // Record Index; its bytes stay valid until a record of another window is
  // asked for.
  RecordPlace Place(uint64_t Index) {
    if (Index < WindowFirst_ || Index >= WindowFirst_ + WindowCount_) {
      if (!Window_)
        Window_ = std::make_unique_for_overwrite<uint8_t[]>(kWindowRecords * kRecordLength);
      WindowFirst_ = Index;
      WindowCount_ = std::min<uint64_t>(kWindowRecords, Count_ - Index);
      Read(Window_.get(), Index, WindowCount_ * kRecordLength);
    }
    return Checked(Window_.get() + (Index - WindowFirst_) * kRecordLength);
  }

  // The place of record Index, its header alone read: no bytes.
  RecordPlace HeaderPlace(uint64_t Index) {
    if (Index == LastHeader_) return LastHeaderPlace_;
    uint8_t Header[kRecordHeaderLength];
    Read(Header, Index, sizeof Header);
    LastHeaderPlace_ = Checked(Header);
    LastHeaderPlace_.Bytes = nullptr;
    LastHeader_ = Index;
    return LastHeaderPlace_;
  }

  // Whether Start belongs at Index: after the record before it, not after
  // the record there.
  bool BelongsAt(uint64_t Index, int64_t Start) {
    return Index <= Count_ && (Index == 0 || HeaderPlace(Index - 1).Start < Start) &&
           (Index == Count_ || HeaderPlace(Index).Start >= Start);
  }

  // The first record that starts at Start or later; Count() when none does.
  // Records are mostly added at the end: the last one is looked at first.
  uint64_t FirstAtOrAfter(int64_t Start) {
    if (Count_ == 0 || HeaderPlace(Count_ - 1).Start < Start) return Count_;
    uint64_t Low = 0, High = Count_ - 1;
    while (Low < High) {
      const uint64_t Middle = Low + (High - Low) / 2;
      if (HeaderPlace(Middle).Start < Start)
        Low = Middle + 1;
      else
        High = Middle;
    }
    return Low;
  }

 private:
  static constexpr uint64_t kWindowRecords = 64;

  void Read(uint8_t* Into, uint64_t Index, std::size_t Size) {
    auto At = static_cast<off_t>(Index * kRecordLength);
    while (Size > 0) {
      const ssize_t Done = ::pread(Fd_, Into, Size, At);
      if (Done < 0 && errno == EINTR) continue;
      if (Done < 0) throw StreamOpenError(Path_, errno);
      if (Done == 0) throw StreamOpenError(Path_, "The day file ended while it was read");
      Into += Done;
      At += Done;
      Size -= static_cast<std::size_t>(Done);
    }
  }

  // The place of a record of the file; a record of another stream or day,
  // or of another length, is refused: the archive cannot order it.
  RecordPlace Checked(const uint8_t* Record) {
    const RecordHeader Header =
        ParseHeader(*reinterpret_cast<const uint8_t(*)[kRecordHeaderLength]>(Record));
    const bool Ours =
        std::memcmp(Record + kSharedBegin, Model_ + kSharedBegin, kSharedEnd - kSharedBegin) == 0 &&
        (Header.BlocketteType != kBlockette1000 || Header.RecordLengthPower == kRecordLengthPower);
    if (!Ours) throw StreamOpenError(Path_, "It holds records of another stream, day or length");
    return PlaceOf(Header, Record);
  }

  int Fd_;
  const std::string& Path_;
  uint64_t Count_;
  const uint8_t* Model_;
  std::unique_ptr<uint8_t[]> Window_;
  uint64_t WindowFirst_ = 0, WindowCount_ = 0;
  uint64_t LastHeader_ = UINT64_MAX;  // the record whose header place is kept
  RecordPlace LastHeaderPlace_;
};

// Goes through the existing records from From on together with the records
// of the batch, in start order, as the file will hold them: Put gets every
// record of the new file from record From on, up to the last record of the
// batch; the rest of the file follows unchanged.
template <typename Emit>
uint64_t Merge(ExistingRecords& Old, uint64_t From, std::span<const RecordPlace> New,
               DayFileChange& Change, Emit Put) {
  std::optional<RecordPlace> Previous;
  bool PreviousIsNew = false;
  const auto Next = [&](const RecordPlace& Place, bool IsNew) {
    if (Previous && (IsNew || PreviousIsNew) && !Change.Overlap && Overlaps(*Previous, Place))
      Change.Overlap = {Place.Start, std::min(Previous->End, Place.End)};
    Previous = Place;
    PreviousIsNew = IsNew;
  };
  if (From > 0) Next(Old.HeaderPlace(From - 1), false);
  uint64_t I = From;
  for (const RecordPlace& Record : New) {
    for (; I < Old.Count(); ++I) {
      const RecordPlace There = Old.Place(I);
      if (There.Start >= Record.Start) break;
      Next(There, false);
      Put(There.Bytes);
    }
    if (I < Old.Count()) {
      const RecordPlace There = Old.Place(I);
      if (There.Start == Record.Start) {
        ++I;
        if (Outranks(Record, There)) {
          ++Change.Replaced;
          Next(Record, true);
          Put(Record.Bytes);
        } else {
          ++Change.AlreadyThere;
          Next(There, false);
          Put(There.Bytes);
        }
        continue;
      }
    }
    ++Change.Added;
    Next(Record, true);
    Put(Record.Bytes);
  }
  if (I < Old.Count()) Next(Old.Place(I), false);  // the overlap of the last one with the next
  return I;
}

// Writes the records at the file's end, from the batch where they lie.
void Append(LockedDayFile& File, const std::string& Path, uint64_t At,
            std::span<const RecordPlace> Records) {
  const uint64_t Start = At;
  // Records that lie one after the other in the batch go in one part.
  std::vector<iovec> Parts;
  for (const RecordPlace& Record : Records) {
    if (!Parts.empty() &&
        static_cast<uint8_t*>(Parts.back().iov_base) + Parts.back().iov_len == Record.Bytes)
      Parts.back().iov_len += kRecordLength;
    else
      Parts.push_back({const_cast<uint8_t*>(Record.Bytes), kRecordLength});
  }
  std::size_t Done = 0;
  while (Done < Parts.size()) {
    const int Count = static_cast<int>(std::min<std::size_t>(Parts.size() - Done, IOV_MAX));
    const ssize_t Written =
        ::pwritev(File.Fd(), Parts.data() + Done, Count, static_cast<off_t>(At));
    if (Written < 0 && errno == EINTR) continue;
    if (Written <= 0 || Written % static_cast<ssize_t>(kRecordLength) != 0) {
      const int Error = Written < 0 ? errno : ENOSPC;
      File.Restore(Start);
      throw StreamWriteError(Path, Error);
    }
    // A short write ends at a whole record here; the rest is written next.
    At += static_cast<uint64_t>(Written);
    for (auto Left = static_cast<std::size_t>(Written); Left > 0;) {
      const std::size_t Taken = std::min(Left, Parts[Done].iov_len);
      Parts[Done].iov_base = static_cast<uint8_t*>(Parts[Done].iov_base) + Taken;
      Parts[Done].iov_len -= Taken;
      Left -= Taken;
      if (Parts[Done].iov_len == 0) ++Done;
    }
  }
}

// Writes the file anew: the records before From as they are, the merge,
// and the records after the last one the merge went through.
void Rewrite(ExistingRecords& Old, int Fd, const std::string& Path, uint64_t From,
             std::span<const RecordPlace> New) {
  FileStream Out(Path, OwnTemporaryName(Path));
  Out.CopyFrom(Fd, 0, From * kRecordLength);
  constexpr std::size_t kStaged = 64;
  auto Staging = std::make_unique_for_overwrite<uint8_t[]>(kStaged * kRecordLength);
  std::size_t Held = 0;
  const auto WriteHeld = [&] {
    Out.WriteBuffer(Staging.get(), Held * kRecordLength);
    Held = 0;
  };
  DayFileChange Again;
  const uint64_t Rest = Merge(Old, From, New, Again, [&](const uint8_t* Record) {
    std::memcpy(Staging.get() + Held * kRecordLength, Record, kRecordLength);
    if (++Held == kStaged) WriteHeld();
  });
  WriteHeld();
  Out.CopyFrom(Fd, Rest * kRecordLength, (Old.Count() - Rest) * kRecordLength);
  Out.Finish();
}

}  // namespace

std::string OwnTemporaryName(const std::string& Path) {
  const std::size_t Slash = Path.rfind('/');
  return Path.substr(0, Slash + 1) + "." + Path.substr(Slash + 1) + ".new";
}

DayFileVisit::~DayFileVisit() {
  if (Fd >= 0) ::close(Fd);
}

DayFileChange IngestIntoDayFile(const std::string& Path, std::span<const RecordPlace> Records,
                                DayFileVisit& Visit) {
  DayFileChange Change;
  if (Records.empty()) return Change;
  LockedDayFile File(Path, Visit);
  // What a process killed while it put a new day file in place may have
  // left, looked for once per process.
  if (!Visit.Cleaned) ::unlink(OwnTemporaryName(Path).c_str());
  Visit.Cleaned = true;
  // A file that does not end at a whole record was cut short while records
  // were appended (a process killed in the middle of a write): the part of
  // a record at its end goes; the run that is repeated writes it whole.
  const uint64_t Whole = File.SizeAtLock() - File.SizeAtLock() % kRecordLength;
  if (Whole != File.SizeAtLock() && ::ftruncate(File.Fd(), static_cast<off_t>(Whole)) != 0)
    throw StreamWriteError(Path, errno);
  ExistingRecords Old(File.Fd(), Path, Whole / kRecordLength, Records.front().Bytes);
  // Where the last visit of this process ended, when the file is as it left
  // it: the next batch mostly goes on from there.
  const bool Known = Visit.Identity == File.Identity() && Visit.Size == Whole &&
                     Old.BelongsAt(Visit.Next, Records.front().Start);
  const uint64_t From = Known ? Visit.Next : Old.FirstAtOrAfter(Records.front().Start);
  Visit.Size = UINT64_MAX;  // known again only where this visit ends well
  if (From == Old.Count()) {
    // Everything follows the file's last record: appended.
    Merge(Old, From, Records, Change, [](const uint8_t*) {});
    Append(File, Path, Whole, Records);
    Visit.Identity = File.Identity();
    Visit.Size = Whole + Records.size() * kRecordLength;
    Visit.Next = From + Records.size();
    return Change;
  }
  const uint64_t Rest = Merge(Old, From, Records, Change, [](const uint8_t*) {});
  if (Change.Added + Change.Replaced > 0) {
    Rewrite(Old, File.Fd(), Path, From, Records);
    File.Replaced();
    return Change;
  }
  Visit.Identity = File.Identity();
  Visit.Size = Whole;
  Visit.Next = Rest;
  return Change;
}

}  // namespace drumlin
