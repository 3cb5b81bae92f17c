#include "records/record_header.h"

#include <cstring>
#include <type_traits>

#include "blocks/byte_order.h"

namespace drumlin {

namespace {

// Calls Field(offset, member) for every multi-byte field of the header.
template <typename Header, typename Visit>
void ForEachMultiByteField(Header& H, Visit Field) {
  Field(offsetof(RecordHeader, Year), H.Year);
  Field(offsetof(RecordHeader, DayOfYear), H.DayOfYear);
  Field(offsetof(RecordHeader, Fraction), H.Fraction);
  Field(offsetof(RecordHeader, SampleCount), H.SampleCount);
  Field(offsetof(RecordHeader, RateFactor), H.RateFactor);
  Field(offsetof(RecordHeader, RateMultiplier), H.RateMultiplier);
  Field(offsetof(RecordHeader, TimeCorrection), H.TimeCorrection);
  Field(offsetof(RecordHeader, DataOffset), H.DataOffset);
  Field(offsetof(RecordHeader, BlocketteOffset), H.BlocketteOffset);
  Field(offsetof(RecordHeader, BlocketteType), H.BlocketteType);
  Field(offsetof(RecordHeader, NextBlockette), H.NextBlockette);
}

}  // namespace

void SerializeHeader(const RecordHeader& Header, uint8_t (&Out)[kRecordHeaderLength]) {
  // Single bytes and texts are copied as they lie; then every multi-byte
  // field is stored again in big-endian order.
  std::memcpy(Out, &Header, kRecordHeaderLength);
  ForEachMultiByteField(Header, [&Out](std::size_t Offset, auto Value) {
    if constexpr (sizeof Value == 2)
      StoreBe16(Out + Offset, static_cast<uint16_t>(Value));
    else
      StoreBe32(Out + Offset, static_cast<uint32_t>(Value));
  });
}

RecordHeader ParseHeader(const uint8_t (&In)[kRecordHeaderLength]) {
  RecordHeader Header;
  std::memcpy(&Header, In, kRecordHeaderLength);
  ForEachMultiByteField(Header, [&In](std::size_t Offset, auto& Value) {
    using Field = std::remove_reference_t<decltype(Value)>;
    if constexpr (sizeof Value == 2)
      Value = static_cast<Field>(LoadBe16(In + Offset));
    else
      Value = static_cast<Field>(LoadBe32(In + Offset));
  });
  return Header;
}

}  // namespace drumlin
