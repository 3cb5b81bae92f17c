// The records of one output file on their way to it: each record is laid
// out as it stands in the file (header and frame words big-endian) in a
// buffer, and the buffer goes to the file stream in large writes. Any number
// of runs (see RecordRun) put their records here, in the order they fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "records/file_stream.h"
#include "records/record_header.h"
#include "records/steim1_packer.h"

namespace drumlin {

class RecordOutput : public FileStream {
 public:
  // Prepares the new file for FileName (see FileStream).
  explicit RecordOutput(const std::string& FileName);
  ~RecordOutput();
  RecordOutput(const RecordOutput&) = delete;
  RecordOutput& operator=(const RecordOutput&) = delete;

  // One record: its header and its 63 frames.
  void PutRecord(const RecordHeader& Header, const Steim1Packer::FrameWords& Frames);

  // With Collect, records put from now on collect in a buffer of
  // kPendingRecords and leave in one write when it fills and at
  // WritePending, instead of one by one.
  void CollectRecords(bool Collect) { Collect_ = Collect; }

  // Writes the records still held in the buffer; call before reporting
  // anything, so that a write error shows where the records were made.
  void WritePending();

 private:
  static constexpr std::size_t kPendingRecords = 64;
  static constexpr std::size_t kPendingSize = kPendingRecords * kRecordLength;

  // Allocated once per file, not on the stack: a small stack is enough.
  std::unique_ptr<uint8_t[]> Pending_;
  std::size_t PendingBytes_ = 0;
  bool Collect_ = false;
};

}  // namespace drumlin
