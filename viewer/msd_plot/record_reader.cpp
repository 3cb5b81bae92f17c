#include "msd_plot/record_reader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace viewer {

namespace {

// libmseed's messages go to standard output and error by default; here the
// last error is kept, to be named with its file in one line of our own.
std::string LastLibraryError;

void KeepLibraryError(char* Message) {
  LastLibraryError = Message;
  while (!LastLibraryError.empty() &&
         (LastLibraryError.back() == '\n' || LastLibraryError.back() == ' '))
    LastLibraryError.pop_back();
}

void IgnoreLibraryLog(char*) {}

void QuietLibrary() {
  static const bool Done = [] {
    ms_loginit(IgnoreLibraryLog, nullptr, KeepLibraryError, "");
    return true;
  }();
  (void)Done;
}

}  // namespace

RecordReader::RecordReader(std::string Path, int64_t Limit)
    : Path_(std::move(Path)), Limit_(Limit) {
  QuietLibrary();
}

RecordReader::~RecordReader() {
  if (Opened_) ms_readmsr_r(&File_, &Header_, nullptr, 0, nullptr, nullptr, 0, 0, 0);
  msr_free(&Header_);
  msr_free(&Decoded_);
}

RecordReader::Step RecordReader::Fail(std::string Problem) {
  Problem_ = std::move(Problem);
  return Step::Problem;
}

RecordReader::Step RecordReader::Next() {
  if (!Problem_.empty()) return Step::Problem;
  if (!Opened_) {
    struct stat Info;
    if (::stat(Path_.c_str(), &Info) != 0)
      return Fail(std::string("cannot read: ") + std::strerror(errno));
    if (S_ISDIR(Info.st_mode)) return Fail("is a folder");
    std::FILE* Probe = std::fopen(Path_.c_str(), "rb");
    if (!Probe) return Fail(std::string("cannot read: ") + std::strerror(errno));
    std::fclose(Probe);
    if (S_ISREG(Info.st_mode)) {
      Size_ = Info.st_size;
      if (Size_ == 0) return Fail("empty file");
    }
    Opened_ = true;
  }
  if (Limit_ >= 0 && BytesRead_ >= Limit_) return Step::End;
  off_t Position = 0;
  LastLibraryError.clear();
  const int Status = ms_readmsr_r(&File_, &Header_, Path_.c_str(), -1, &Position, nullptr, 0, 0, 0);
  if (Status == MS_NOERROR) {
    if (Position != BytesRead_)
      return Fail("no miniSEED record at byte " + std::to_string(BytesRead_));
    BytesRead_ = static_cast<int64_t>(Position) + Header_->reclen;
    ++Records_;
    return Step::Record;
  }
  if (Status == MS_ENDOFFILE) {
    if (Size_ >= 0 && BytesRead_ < Size_) {
      if (Records_ == 0)
        return Fail(StartsWithRecordHeader(Path_)
                        ? "truncated: " + std::to_string(Size_) + " bytes, not one whole record"
                        : "not miniSEED: no record header at its start");
      return Fail("truncated: " + std::to_string(Size_ - BytesRead_) +
                  " bytes after the last whole record at byte " + std::to_string(BytesRead_));
    }
    if (Records_ == 0) return Fail("no miniSEED records");
    return Step::End;
  }
  std::string Why = LastLibraryError.empty() ? ms_errorstr(Status) : LastLibraryError;
  if (Status == MS_NOTSEED)
    Why = Records_ == 0 && !StartsWithRecordHeader(Path_)
              ? "not miniSEED: no record header at its start"
              : "no miniSEED record at byte " + std::to_string(BytesRead_);
  return Fail(Why);
}

const MSRecord* RecordReader::Decode() {
  LastLibraryError.clear();
  const int Status = msr_unpack(Header_->record, Header_->reclen, &Decoded_, 1, 0);
  if (Status != MS_NOERROR || !Decoded_ || Decoded_->numsamples != Decoded_->samplecnt) {
    Fail("record at byte " + std::to_string(BytesRead_ - Header_->reclen) + " cannot be decoded: " +
         (LastLibraryError.empty() ? std::string(ms_errorstr(Status)) : LastLibraryError));
    return nullptr;
  }
  return Decoded_;
}

bool StartsWithRecordHeader(const std::string& Path) {
  std::FILE* In = std::fopen(Path.c_str(), "rb");
  if (!In) return false;
  char Head[48] = {};
  const std::size_t Got = std::fread(Head, 1, sizeof Head, In);
  std::fclose(In);
  return Got == sizeof Head && MS_ISVALIDHEADER(Head);
}

}  // namespace viewer
