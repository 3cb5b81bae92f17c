#include "blocks/ycf_block.h"

#include <algorithm>
#include <cstring>

namespace drumlin {
namespace {

template <typename T>
T ReadField(const YcfBlock& Block, std::size_t Offset) {
  T Value;
  std::memcpy(&Value, Block.Bytes + Offset, sizeof Value);
  return Value;
}

std::size_t CappedRecordCount(const YcfBlock& Block) {
  return std::min<std::size_t>(RecordCount(Block), kMaxRecordCount);
}

std::size_t LastValueOffset(const YcfBlock& Block) {
  return kDataOffset + 4 * CappedRecordCount(Block);
}

// Swaps Count fields of type Field in place from Offset on; byte-swapping in
// registers here rather than one call per field.
template <typename Field>
void SwapFields(YcfBlock& Block, std::size_t Offset, std::size_t Count) {
  uint8_t* At = Block.Bytes + Offset;
  for (std::size_t I = 0; I < Count; ++I, At += sizeof(Field)) {
    Field Value;
    std::memcpy(&Value, At, sizeof Value);
    if constexpr (sizeof(Field) == 2)
      Value = static_cast<Field>(__builtin_bswap16(Value));
    else
      Value = __builtin_bswap32(Value);
    std::memcpy(At, &Value, sizeof Value);
  }
}

}  // namespace

void ConvertBlock(YcfBlock& Block) {
  SwapFields<uint32_t>(Block, kSystemIdOffset, 3);  // system id, stream id, time code
  if (SampleRateCode(Block) == 0) return;           // status block: the rest stays as read
  Swap32InPlace(Block.Bytes + kFirstValueOffset);
  const std::size_t Records = CappedRecordCount(Block);
  Swap32InPlace(Block.Bytes + LastValueOffset(Block));
  switch (CompressionCode(Block)) {
    case 1: SwapFields<uint32_t>(Block, kDataOffset, Records); break;
    case 2: SwapFields<uint16_t>(Block, kDataOffset, 2 * Records); break;
    default:  // 8-bit differences need nothing; invalid codes stay as read
      break;
  }
}

uint32_t SystemId(const YcfBlock& Block) { return ReadField<uint32_t>(Block, kSystemIdOffset); }
uint32_t StreamId(const YcfBlock& Block) { return ReadField<uint32_t>(Block, kStreamIdOffset); }
uint32_t TimeCode(const YcfBlock& Block) { return ReadField<uint32_t>(Block, kTimeCodeOffset); }
uint8_t Byte12(const YcfBlock& Block) { return Block.Bytes[kByte12Offset]; }
uint8_t SampleRateCode(const YcfBlock& Block) { return Block.Bytes[kSampleRateCodeOffset]; }
uint8_t CompressionByte(const YcfBlock& Block) { return Block.Bytes[kCompressionByteOffset]; }
uint8_t CompressionCode(const YcfBlock& Block) { return CompressionByte(Block) & 0x07; }
uint8_t FracNumerator(const YcfBlock& Block) { return CompressionByte(Block) >> 4; }
uint8_t RecordCount(const YcfBlock& Block) { return Block.Bytes[kRecordCountOffset]; }
int32_t FirstValue(const YcfBlock& Block) { return ReadField<int32_t>(Block, kFirstValueOffset); }
int32_t LastValue(const YcfBlock& Block) {
  return ReadField<int32_t>(Block, LastValueOffset(Block));
}

uint16_t SampleRate(uint8_t Code) {
  switch (Code) {
    case 171: return 400;
    case 174: return 500;
    case 176: return 1000;
    case 179: return 2000;
    case 181: return 4000;
    default: return Code;
  }
}

int32_t Difference(const YcfBlock& Block, int Index) {
  const uint8_t Code = CompressionCode(Block);
  if (Code != 1 && Code != 2 && Code != 4) return 0;
  // The data records end where the last value begins; nothing past them is read.
  if (Index < 0 || static_cast<std::size_t>(Index) >= Code * CappedRecordCount(Block)) return 0;
  const std::size_t Width = 4 / Code;
  const std::size_t Offset = kDataOffset + Width * static_cast<std::size_t>(Index);
  switch (Code) {
    case 1: return ReadField<int32_t>(Block, Offset);
    case 2: return ReadField<int16_t>(Block, Offset);
    default: return ReadField<int8_t>(Block, Offset);
  }
}

UsTime BlockStart(const YcfBlock& Block) {
  const UsTime Start = TimeCodeToUs(TimeCode(Block));
  const int64_t Rate = SampleRate(SampleRateCode(Block));
  if (Rate == 0) return Start;
  const int64_t Step = Rate == 400 ? 50 : 250;
  return Start + (static_cast<int64_t>(FracNumerator(Block)) * kUsPerSecond * Step) / Rate;
}

int64_t BlockDuration(const YcfBlock& Block) {
  const uint8_t RateCode = SampleRateCode(Block);
  if (RateCode == 0) return 0;
  return (static_cast<int64_t>(CompressionCode(Block)) * RecordCount(Block) * kUsPerSecond) /
         SampleRate(RateCode);
}

UsTime BlockEnd(const YcfBlock& Block) { return BlockStart(Block) + BlockDuration(Block); }

}  // namespace drumlin
