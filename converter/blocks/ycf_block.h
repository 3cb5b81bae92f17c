// One 1024-byte YCF block: 16-byte header, first value, differences of 32, 16
// or 8 bits and the closing last value, every multi-byte field big-endian.
// A block is read as the file holds it: the readers below take each field
// from its big-endian bytes, so a block is never changed, and can be read
// straight from a mapping of the input file.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "blocks/byte_order.h"
#include "time/us_time.h"

namespace drumlin {

inline constexpr std::size_t kYcfBlockSize = 1024;
// Offsets of the fields within a block.
inline constexpr std::size_t kSystemIdOffset = 0;
inline constexpr std::size_t kStreamIdOffset = 4;
inline constexpr std::size_t kTimeCodeOffset = 8;
inline constexpr std::size_t kByte12Offset = 12;
inline constexpr std::size_t kSampleRateCodeOffset = 13;
inline constexpr std::size_t kCompressionByteOffset = 14;
inline constexpr std::size_t kRecordCountOffset = 15;
inline constexpr std::size_t kFirstValueOffset = 16;
inline constexpr std::size_t kDataOffset = 20;
// Every data record of a block is four bytes: one 32-bit, two 16-bit or four
// 8-bit differences.
inline constexpr std::size_t kDataRecordSize = 4;
// A usable block has at most this many data records; the last value behind
// them then fills the block's last four bytes.
inline constexpr uint8_t kMaxRecordCount = 250;
static_assert(kDataOffset + kDataRecordSize * (kMaxRecordCount + 1) == kYcfBlockSize);
// Bits of the compression byte.
inline constexpr uint8_t kCompressionCodeMask = 0x07;
inline constexpr int kFracNumeratorShift = 4;
// The largest seconds field a usable block's time code holds (the midnight
// that ends the day passes).
inline constexpr uint32_t kMaxBlockSeconds = 86400;

struct YcfBlock {
  alignas(4) uint8_t Bytes[kYcfBlockSize];
};

inline uint32_t SystemId(const YcfBlock& Block) { return LoadBe32(Block.Bytes + kSystemIdOffset); }
inline uint32_t StreamId(const YcfBlock& Block) { return LoadBe32(Block.Bytes + kStreamIdOffset); }
inline uint32_t TimeCode(const YcfBlock& Block) { return LoadBe32(Block.Bytes + kTimeCodeOffset); }
inline uint8_t Byte12(const YcfBlock& Block) { return Block.Bytes[kByte12Offset]; }
// 0 marks a status block.
inline uint8_t SampleRateCode(const YcfBlock& Block) { return Block.Bytes[kSampleRateCodeOffset]; }
inline uint8_t CompressionByte(const YcfBlock& Block) {
  return Block.Bytes[kCompressionByteOffset];
}
// Bits 0-2 of the compression byte: 1, 2 or 4 differences per record.
inline uint8_t CompressionCode(const YcfBlock& Block) {
  return CompressionByte(Block) & kCompressionCodeMask;
}
// Bits 4-7 of the compression byte: fraction of a second added to the start.
inline uint8_t FracNumerator(const YcfBlock& Block) {
  return static_cast<uint8_t>(CompressionByte(Block) >> kFracNumeratorShift);
}
inline uint8_t RecordCount(const YcfBlock& Block) { return Block.Bytes[kRecordCountOffset]; }
// The record count as far as the block holds records (at most 250).
inline std::size_t CappedRecordCount(const YcfBlock& Block) {
  return std::min<std::size_t>(RecordCount(Block), kMaxRecordCount);
}
inline int32_t FirstValue(const YcfBlock& Block) {
  return static_cast<int32_t>(LoadBe32(Block.Bytes + kFirstValueOffset));
}
inline std::size_t LastValueOffset(const YcfBlock& Block) {
  return kDataOffset + kDataRecordSize * CappedRecordCount(Block);
}
// The value behind the data records.
inline int32_t LastValue(const YcfBlock& Block) {
  return static_cast<int32_t>(LoadBe32(Block.Bytes + LastValueOffset(Block)));
}

// 1, 2 and 4 differences per data record; every other code is unusable.
inline constexpr bool IsUsableCompressionCode(uint8_t Code) {
  return Code == 1 || Code == 2 || Code == 4;
}

// Samples per second of a rate code: the high rates are coded, every other
// code is itself the rate (0 for a status block).
inline constexpr uint16_t SampleRate(uint8_t Code) {
  switch (Code) {
    case 171: return 400;
    case 174: return 500;
    case 176: return 1000;
    case 179: return 2000;
    case 181: return 4000;
    default: return Code;
  }
}

// The fraction numerator counts steps of D / rate seconds, D being 50 at
// 400 samples per second and 250 at every other rate.
inline constexpr int64_t FractionStepNumerator(int64_t Rate) { return Rate == 400 ? 50 : 250; }

// Start of the first sample: time code plus the fractional offset.
inline UsTime BlockStart(const YcfBlock& Block) {
  const UsTime Start = TimeCodeToUs(TimeCode(Block));
  const int64_t Rate = SampleRate(SampleRateCode(Block));
  if (Rate == 0) return Start;
  return Start + (FracNumerator(Block) * kUsPerSecond * FractionStepNumerator(Rate)) / Rate;
}

// Samples the block claims: compression code times record count.
inline int SampleCountClaimed(const YcfBlock& Block) {
  return CompressionCode(Block) * RecordCount(Block);
}

// Time the samples span, truncated to whole microseconds (0 for a status
// block; the compression code is taken as it stands).
inline int64_t BlockDuration(const YcfBlock& Block) {
  const uint8_t RateCode = SampleRateCode(Block);
  if (RateCode == 0) return 0;
  return SampleCountClaimed(Block) * kUsPerSecond / SampleRate(RateCode);
}

// The acceptance test: a usable compression code, not a status block, at
// most 250 data records and a seconds field of at most 86400.
inline bool IsUsableDataBlock(const YcfBlock& Block) {
  return IsUsableCompressionCode(CompressionCode(Block)) && SampleRateCode(Block) != 0 &&
         RecordCount(Block) <= kMaxRecordCount &&
         TimeCodeSeconds(TimeCode(Block)) <= kMaxBlockSeconds;
}

// The differences of a usable data block that follow its first value.
// Difference 0 stands where the first value is and is not used; sample k,
// for k >= 1, is sample k-1 plus difference k.
struct StoredDifferences {
  const uint8_t* Data;  // difference 1, big-endian (the data area when empty)
  int Count;            // samples of the block less one; 0 for none or one
  int Width;            // bytes per difference: 4, 2 or 1
};

inline StoredDifferences DifferencesAfterFirst(const YcfBlock& Block) {
  const int Code = CompressionCode(Block);
  const int Width = static_cast<int>(kDataRecordSize) / Code;
  const int Samples = SampleCountClaimed(Block);
  if (Samples == 0) return {Block.Bytes + kDataOffset, 0, Width};
  return {Block.Bytes + kDataOffset + Width, Samples - 1, Width};
}

}  // namespace drumlin
