// Bytes 0 to 63 of a 4096-byte miniSEED data record: the fixed data header,
// blockette 1000 and the eight bytes before the data, held in record layout
// with every multi-byte field as a native integer. SerializeHeader writes
// them big-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace drumlin {

inline constexpr std::size_t kRecordLength = 4096;
inline constexpr std::size_t kRecordHeaderLength = 64;
inline constexpr std::size_t kRecordDataLength = kRecordLength - kRecordHeaderLength;

// Fixed values of every record this converter writes.
inline constexpr char kSequenceNumber[] = "000001";  // not advanced from record to record
inline constexpr char kQualityIndicator = 'D';
inline constexpr uint8_t kBlocketteCount = 1;
inline constexpr uint16_t kBeginningOfData = kRecordHeaderLength;
inline constexpr uint16_t kFirstBlocketteOffset = 48;
inline constexpr uint16_t kBlockette1000 = 1000;  // data only: encoding, word order, length
inline constexpr uint8_t kEncodingSteim1 = 10;
inline constexpr uint8_t kWordOrderBigEndian = 1;
inline constexpr uint8_t kRecordLengthPower = 12;  // 2^12 = 4096 bytes
static_assert(std::size_t{1} << kRecordLengthPower == kRecordLength);

struct RecordHeader {
  char SequenceNumber[6];
  char Quality;
  char Reserved;
  char Station[5];
  char Location[2];
  char Channel[3];
  char Network[2];
  uint16_t Year;
  uint16_t DayOfYear;
  uint8_t Hour;
  uint8_t Minute;
  uint8_t Second;
  uint8_t TimeUnused;
  uint16_t Fraction;  // 0.0001 s
  uint16_t SampleCount;
  int16_t RateFactor;
  int16_t RateMultiplier;
  uint8_t ActivityFlags;
  uint8_t IoClockFlags;
  uint8_t QualityFlags;
  uint8_t BlocketteCount;
  int32_t TimeCorrection;
  uint16_t DataOffset;
  uint16_t BlocketteOffset;
  // Blockette 1000.
  uint16_t BlocketteType;
  uint16_t NextBlockette;
  uint8_t Encoding;
  uint8_t WordOrder;
  uint8_t RecordLengthPower;
  uint8_t BlocketteReserved;
  // After the blockette, before the data.
  uint8_t BlockByte12;
  uint8_t SystemIdHighByte;
  uint8_t Zero[6];
};

static_assert(sizeof(RecordHeader) == kRecordHeaderLength);
static_assert(offsetof(RecordHeader, Station) == 8);
static_assert(offsetof(RecordHeader, Location) == 13);
static_assert(offsetof(RecordHeader, Channel) == 15);
static_assert(offsetof(RecordHeader, Network) == 18);
static_assert(offsetof(RecordHeader, Year) == 20);
static_assert(offsetof(RecordHeader, Fraction) == 28);
static_assert(offsetof(RecordHeader, SampleCount) == 30);
static_assert(offsetof(RecordHeader, TimeCorrection) == 40);
static_assert(offsetof(RecordHeader, BlocketteType) == kFirstBlocketteOffset);
static_assert(offsetof(RecordHeader, Encoding) == 52);
static_assert(offsetof(RecordHeader, BlockByte12) == 56);
static_assert(offsetof(RecordHeader, Zero) == 58);

// The header as it stands in the file, multi-byte fields big-endian.
void SerializeHeader(const RecordHeader& Header, uint8_t (&Out)[kRecordHeaderLength]);
// The header of a record as it stands in a file: the reverse.
RecordHeader ParseHeader(const uint8_t (&In)[kRecordHeaderLength]);

}  // namespace drumlin
