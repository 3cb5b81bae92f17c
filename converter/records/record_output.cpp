#include "records/record_output.h"

#include <cstring>
#include <utility>

namespace drumlin {

namespace {

// The buffer of the one output a program writes at a time, kept from one
// file to the next: a batch of many small files allocates it once.
std::unique_ptr<uint8_t[]>& SpareBuffer() {
  static std::unique_ptr<uint8_t[]> Spare;
  return Spare;
}

}  // namespace

RecordOutput::RecordOutput(const std::string& FileName)
    : FileStream(FileName),
      Pending_(SpareBuffer() ? std::move(SpareBuffer())
                             : std::make_unique<uint8_t[]>(kPendingSize)) {}

RecordOutput::~RecordOutput() {
  if (!SpareBuffer()) SpareBuffer() = std::move(Pending_);
}

void RecordOutput::PutRecord(const RecordHeader& Header, const Steim1Packer::FrameWords& Frames) {
  if (PendingBytes_ == kPendingSize) WritePending();
  uint8_t* Record = Pending_.get() + PendingBytes_;
  SerializeHeader(Header, *reinterpret_cast<uint8_t(*)[kRecordHeaderLength]>(Record));
  // The frames stand in file order already.
  static_assert(sizeof(Steim1Packer::FrameWords) == kRecordDataLength);
  std::memcpy(Record + kRecordHeaderLength, Frames, kRecordDataLength);
  PendingBytes_ += kRecordLength;
  if (!Collect_) WritePending();
}

void RecordOutput::WritePending() {
  if (PendingBytes_ == 0) return;
  const std::size_t Bytes = PendingBytes_;
  PendingBytes_ = 0;  // a failed write is not tried again
  WriteBuffer(Pending_.get(), Bytes);
}

}  // namespace drumlin
