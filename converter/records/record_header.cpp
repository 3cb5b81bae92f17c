#include "records/record_header.h"

#include <cstring>

namespace drumlin {

namespace {

void PutBe16(uint8_t* At, uint16_t Value) {
  At[0] = static_cast<uint8_t>(Value >> 8);
  At[1] = static_cast<uint8_t>(Value);
}

void PutBe32(uint8_t* At, uint32_t Value) {
  At[0] = static_cast<uint8_t>(Value >> 24);
  At[1] = static_cast<uint8_t>(Value >> 16);
  At[2] = static_cast<uint8_t>(Value >> 8);
  At[3] = static_cast<uint8_t>(Value);
}

}  // namespace

void SerializeHeader(const RecordHeader& Header, uint8_t (&Out)[kRecordHeaderLength]) {
  // Single bytes and texts are copied as they lie; then every multi-byte
  // field is stored again in big-endian order.
  std::memcpy(Out, &Header, kRecordHeaderLength);
  PutBe16(Out + offsetof(RecordHeader, Year), Header.Year);
  PutBe16(Out + offsetof(RecordHeader, DayOfYear), Header.DayOfYear);
  PutBe16(Out + offsetof(RecordHeader, Fraction), Header.Fraction);
  PutBe16(Out + offsetof(RecordHeader, SampleCount), Header.SampleCount);
  PutBe16(Out + offsetof(RecordHeader, RateFactor), static_cast<uint16_t>(Header.RateFactor));
  PutBe16(Out + offsetof(RecordHeader, RateMultiplier),
          static_cast<uint16_t>(Header.RateMultiplier));
  PutBe32(Out + offsetof(RecordHeader, TimeCorrection),
          static_cast<uint32_t>(Header.TimeCorrection));
  PutBe16(Out + offsetof(RecordHeader, DataOffset), Header.DataOffset);
  PutBe16(Out + offsetof(RecordHeader, BlocketteOffset), Header.BlocketteOffset);
  PutBe16(Out + offsetof(RecordHeader, BlocketteType), Header.BlocketteType);
  PutBe16(Out + offsetof(RecordHeader, NextBlockette), Header.NextBlockette);
}

}  // namespace drumlin
