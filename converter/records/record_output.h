// The records of one conversion on their way to where they go: each record
// is laid out as it stands in a file (header and frame words big-endian) in
// a buffer, and the buffer goes to the record sink in large parts. Any
// number of runs (see RecordRun) put their records here, in the order they
// fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "records/record_header.h"
#include "records/record_sink.h"
#include "records/steim1_packer.h"

namespace drumlin {

class RecordOutput {
 public:
  // When the records held leave for the sink.
  enum class Leaving {
    // Before every message of the conversion (WritePending), so that a
    // write error shows where the records were made, and when the buffer
    // is full.
    BeforeMessages,
    // Only when the buffer is full and at WriteAll: a sink that works on
    // records in large batches gets them so.
    WhenFull,
  };

  // The default buffer: large writes, small memory.
  static constexpr std::size_t kDefaultCapacity = 64;

  // Records go to Sink, which must outlive the output, at most Capacity of
  // them held at a time.
  explicit RecordOutput(RecordSink& Sink, std::size_t Capacity = kDefaultCapacity,
                        Leaving When = Leaving::BeforeMessages);
  ~RecordOutput();
  RecordOutput(const RecordOutput&) = delete;
  RecordOutput& operator=(const RecordOutput&) = delete;

  // One record: its header and its 63 frames.
  void PutRecord(const RecordHeader& Header, const Steim1Packer::FrameWords& Frames);

  // With Collect, records put from now on collect in a buffer of
  // kPendingRecords and leave in one write when it fills and at
  // WritePending, instead of one by one.
  void CollectRecords(bool Collect) { Collect_ = Collect; }

  // Call before reporting anything: hands the records held to the sink,
  // unless they leave only when the buffer is full.
  void WritePending();
  // Hands every record held to the sink.
  void WriteAll();

 private:
  RecordSink& Sink_;
  std::size_t Capacity_;
  Leaving When_;
  // Allocated once per output, not on the stack: a small stack is enough.
  std::unique_ptr<uint8_t[]> Pending_;
  std::size_t PendingRecords_ = 0;
  bool Collect_ = false;
};

}  // namespace drumlin
