// The records of one miniSEED file, one after the other, read with libmseed:
// any record length, any encoding libmseed decodes. Headers come without
// their samples (the cheap first pass); Decode() unpacks the samples of the
// current record when they are wanted.
#pragma once

#include <libmseed.h>

#include <cstdint>
#include <string>

namespace viewer {

class RecordReader {
 public:
  // Reads Path up to byte Limit at most (a negative Limit: the whole file),
  // so that a second pass sees no record that a first pass did not see,
  // even of a file that grows in between.
  explicit RecordReader(std::string Path, int64_t Limit = -1);
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  enum class Step { Record, End, Problem };
  // The next record's header; End after the last whole record, Problem when
  // the file cannot be read or holds something other than records.
  Step Next();
  const MSRecord& Header() const { return *Header_; }
  // The current record with its samples, or nullptr (Problem() says why).
  const MSRecord* Decode();

  // Bytes of the file read as whole records so far.
  int64_t BytesRead() const { return BytesRead_; }
  // Why reading stopped, when it stopped at a problem.
  const std::string& Problem() const { return Problem_; }

 private:
  Step Fail(std::string Problem);

  std::string Path_;
  int64_t Limit_;
  int64_t Size_ = -1;
  MSFileParam* File_ = nullptr;
  MSRecord* Header_ = nullptr;
  MSRecord* Decoded_ = nullptr;
  int64_t BytesRead_ = 0;
  int64_t Records_ = 0;
  bool Opened_ = false;
  std::string Problem_;
};

// True when the first bytes of the file are a miniSEED data record header
// (how a folder's files are told from other files).
bool StartsWithRecordHeader(const std::string& Path);

}  // namespace viewer
