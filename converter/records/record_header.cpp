#include "records/record_header.h"

#include <cstring>

#include "blocks/byte_order.h"

namespace drumlin {

void SerializeHeader(const RecordHeader& Header, uint8_t (&Out)[kRecordHeaderLength]) {
  // Single bytes and texts are copied as they lie; then every multi-byte
  // field is stored again in big-endian order.
  std::memcpy(Out, &Header, kRecordHeaderLength);
  const auto Put16 = [&Out](std::size_t Offset, auto Value) {
    StoreBe16(Out + Offset, static_cast<uint16_t>(Value));
  };
  Put16(offsetof(RecordHeader, Year), Header.Year);
  Put16(offsetof(RecordHeader, DayOfYear), Header.DayOfYear);
  Put16(offsetof(RecordHeader, Fraction), Header.Fraction);
  Put16(offsetof(RecordHeader, SampleCount), Header.SampleCount);
  Put16(offsetof(RecordHeader, RateFactor), Header.RateFactor);
  Put16(offsetof(RecordHeader, RateMultiplier), Header.RateMultiplier);
  StoreBe32(Out + offsetof(RecordHeader, TimeCorrection),
            static_cast<uint32_t>(Header.TimeCorrection));
  Put16(offsetof(RecordHeader, DataOffset), Header.DataOffset);
  Put16(offsetof(RecordHeader, BlocketteOffset), Header.BlocketteOffset);
  Put16(offsetof(RecordHeader, BlocketteType), Header.BlocketteType);
  Put16(offsetof(RecordHeader, NextBlockette), Header.NextBlockette);
}

}  // namespace drumlin
