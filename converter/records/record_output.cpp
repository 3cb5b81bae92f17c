#include "records/record_output.h"

#include <cstring>
#include <utility>

namespace drumlin {

namespace {

// The buffer of the one output a program writes at a time, kept from one
// file to the next: a batch of many small files allocates it once.
struct SpareBuffer {
  std::unique_ptr<uint8_t[]> Bytes;
  std::size_t Capacity = 0;
};

SpareBuffer& Spare() {
  static SpareBuffer Buffer;
  return Buffer;
}

}  // namespace

RecordOutput::RecordOutput(RecordSink& Sink, std::size_t Capacity, Leaving When)
    : Sink_(Sink), Capacity_(Capacity), When_(When) {
  if (Spare().Bytes && Spare().Capacity == Capacity)
    Pending_ = std::move(Spare().Bytes);
  else
    Pending_ = std::make_unique_for_overwrite<uint8_t[]>(Capacity * kRecordLength);
}

RecordOutput::~RecordOutput() {
  if (!Spare().Bytes) Spare() = {std::move(Pending_), Capacity_};
}

void RecordOutput::PutRecord(const RecordHeader& Header, const Steim1Packer::FrameWords& Frames) {
  if (PendingRecords_ == Capacity_) WriteAll();
  uint8_t* Record = Pending_.get() + PendingRecords_ * kRecordLength;
  SerializeHeader(Header, *reinterpret_cast<uint8_t(*)[kRecordHeaderLength]>(Record));
  // The frames stand in file order already.
  static_assert(sizeof(Steim1Packer::FrameWords) == kRecordDataLength);
  std::memcpy(Record + kRecordHeaderLength, Frames, kRecordDataLength);
  ++PendingRecords_;
  if (!Collect_) WritePending();
}

void RecordOutput::WritePending() {
  if (When_ == Leaving::BeforeMessages) WriteAll();
}

void RecordOutput::WriteAll() {
  if (PendingRecords_ == 0) return;
  const std::size_t Count = PendingRecords_;
  PendingRecords_ = 0;  // records that fail to leave are not tried again
  Sink_.TakeRecords(Pending_.get(), Count);
}

}  // namespace drumlin
