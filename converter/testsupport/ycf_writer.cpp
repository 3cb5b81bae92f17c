#include "testsupport/ycf_writer.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace drumlin {
namespace {

void PutBigEndian32(YcfBlock& Block, std::size_t Offset, uint32_t Value) {
  StoreBe32(Block.Bytes + Offset, Value);
}

void PutBigEndian16(YcfBlock& Block, std::size_t Offset, uint16_t Value) {
  StoreBe16(Block.Bytes + Offset, Value);
}

YcfBlock HeaderBlock(const YcfHeaderSpec& Header, uint8_t Records) {
  YcfBlock Block{};
  PutBigEndian32(Block, kSystemIdOffset, Header.SystemId);
  PutBigEndian32(Block, kStreamIdOffset, Header.StreamId);
  PutBigEndian32(Block, kTimeCodeOffset, Header.TimeCode);
  Block.Bytes[kByte12Offset] = Header.Byte12;
  Block.Bytes[kSampleRateCodeOffset] = Header.RateCode;
  Block.Bytes[kCompressionByteOffset] = static_cast<uint8_t>(
      (Header.FracNumerator << kFracNumeratorShift) | (Header.Compression & kCompressionCodeMask));
  Block.Bytes[kRecordCountOffset] = Records;
  return Block;
}

int64_t WidthLimit(int Code) {
  return Code == 4 ? 127 : Code == 2 ? 32767 : std::numeric_limits<int32_t>::max();
}

// Differences of Samples[1..Count-1] all fit the width of Code.
bool DifferencesFit(std::span<const int32_t> Samples, std::size_t Count, int Code) {
  const int64_t Limit = WidthLimit(Code);
  for (std::size_t K = 1; K < Count; ++K) {
    const int64_t Step = static_cast<int64_t>(Samples[K]) - Samples[K - 1];
    if (Step > Limit || Step < -Limit - 1) return false;
  }
  return true;
}

bool StartIsExpressible(uint8_t RateCode, UsTime Start) {
  YcfHeaderSpec Probe;
  Probe.RateCode = RateCode;
  try {
    SetBlockStart(Probe, Start);
    return true;
  } catch (const std::invalid_argument&) {
    return false;
  }
}

int64_t DurationOf(std::size_t Samples, uint8_t RateCode) {
  return static_cast<int64_t>(Samples) * kUsPerSecond / SampleRate(RateCode);
}

}  // namespace

void SetBlockStart(YcfHeaderSpec& Header, UsTime Start) {
  const int64_t Rate = SampleRate(Header.RateCode);
  const int64_t Step = FractionStepNumerator(Rate);
  const int MaxNumerator = Rate == 0 ? 0 : 15;
  for (int Numerator = 0; Numerator <= MaxNumerator; ++Numerator) {
    const int64_t Offset = Rate == 0 ? 0 : Numerator * kUsPerSecond * Step / Rate;
    const int64_t Whole = Start - Offset - TimeCodeToUs(0);
    if (Whole < 0 || Whole % kUsPerSecond != 0) continue;
    const int64_t Seconds = Whole / kUsPerSecond;
    const int64_t Day = Seconds / kSecondsPerDay;
    if (Day > 0x7FFF) break;
    Header.TimeCode =
        MakeTimeCode(static_cast<uint32_t>(Day), static_cast<uint32_t>(Seconds % kSecondsPerDay));
    Header.FracNumerator = static_cast<uint8_t>(Numerator);
    return;
  }
  throw std::invalid_argument("block start not expressible by a time code");
}

YcfBlock MakeDataBlock(const YcfHeaderSpec& Header, std::span<const int32_t> Samples) {
  const uint8_t Code = Header.Compression;
  if (!IsUsableCompressionCode(Code)) throw std::invalid_argument("compression code");
  if (Samples.empty() || Samples.size() % Code != 0 || Samples.size() / Code > kMaxRecordCount)
    throw std::invalid_argument("sample count does not fill whole records");
  if (!DifferencesFit(Samples, Samples.size(), Code))
    throw std::invalid_argument("difference too wide for the compression code");
  std::vector<int32_t> Differences(Samples.size(), 0);
  for (std::size_t K = 1; K < Samples.size(); ++K)
    Differences[K] = static_cast<int32_t>(static_cast<int64_t>(Samples[K]) - Samples[K - 1]);
  return MakeRawBlock(Header, static_cast<uint8_t>(Samples.size() / Code), Samples.front(),
                      Differences, Samples.back());
}

YcfBlock MakeRawBlock(const YcfHeaderSpec& Header, uint8_t RecordCount, int32_t FirstValue,
                      std::span<const int32_t> Differences, int32_t LastValue) {
  YcfBlock Block = HeaderBlock(Header, RecordCount);
  PutBigEndian32(Block, kFirstValueOffset, static_cast<uint32_t>(FirstValue));
  const std::size_t Records = std::min<std::size_t>(RecordCount, kMaxRecordCount);
  const int Code = Header.Compression & kCompressionCodeMask;
  const std::size_t Width = Code == 2 ? 2 : Code == 4 ? 1 : 4;
  const std::size_t Capacity = std::min<std::size_t>(Records * 4 / Width, Differences.size());
  for (std::size_t I = 0; I < Capacity; ++I) {
    const std::size_t Offset = kDataOffset + Width * I;
    const auto Value = static_cast<uint32_t>(Differences[I]);
    if (Width == 4)
      PutBigEndian32(Block, Offset, Value);
    else if (Width == 2)
      PutBigEndian16(Block, Offset, static_cast<uint16_t>(Value));
    else
      Block.Bytes[Offset] = static_cast<uint8_t>(Value);
  }
  PutBigEndian32(Block, kDataOffset + 4 * Records, static_cast<uint32_t>(LastValue));
  return Block;
}

YcfBlock MakeStatusBlock(uint32_t SystemId, uint32_t StreamId, uint32_t TimeCode, uint8_t Fill) {
  YcfBlock Block;
  std::memset(Block.Bytes, Fill, kYcfBlockSize);
  PutBigEndian32(Block, kSystemIdOffset, SystemId);
  PutBigEndian32(Block, kStreamIdOffset, StreamId);
  PutBigEndian32(Block, kTimeCodeOffset, TimeCode);
  Block.Bytes[kSampleRateCodeOffset] = 0;
  return Block;
}

std::vector<YcfBlock> MakeStream(const YcfStreamSpec& Stream, UsTime Start,
                                 std::span<const int32_t> Samples) {
  if (SampleRate(Stream.RateCode) == 0) throw std::invalid_argument("stream needs a rate");
  std::vector<YcfBlock> Blocks;
  UsTime BlockTime = Start;
  std::size_t Done = 0;
  while (Done < Samples.size()) {
    const std::span<const int32_t> Rest = Samples.subspan(Done);
    std::size_t BestCount = 0;
    int BestCode = 0;
    for (const std::size_t Code : {std::size_t{4}, std::size_t{2}, std::size_t{1}}) {
      std::size_t Count =
          std::min<std::size_t>(Rest.size() - Rest.size() % Code, Code * kMaxRecordCount);
      // Shrink until the differences fit and, unless the series ends here,
      // the next block's start can be expressed.
      while (Count > 0 && (!DifferencesFit(Rest, Count, static_cast<int>(Code)) ||
                           (Count < Rest.size() &&
                            !StartIsExpressible(Stream.RateCode,
                                                BlockTime + DurationOf(Count, Stream.RateCode)))))
        Count -= Code;
      if (Count > BestCount) {
        BestCount = Count;
        BestCode = static_cast<int>(Code);
      }
    }
    if (BestCount == 0) throw std::invalid_argument("series cannot be split into blocks");
    YcfHeaderSpec Header;
    Header.SystemId = Stream.SystemId;
    Header.StreamId = Stream.StreamId;
    Header.Byte12 = Stream.Byte12;
    Header.RateCode = Stream.RateCode;
    Header.Compression = static_cast<uint8_t>(BestCode);
    SetBlockStart(Header, BlockTime);
    Blocks.push_back(MakeDataBlock(Header, Rest.first(BestCount)));
    BlockTime += DurationOf(BestCount, Stream.RateCode);
    Done += BestCount;
  }
  return Blocks;
}

void WriteYcfFile(const std::string& Path, std::span<const YcfBlock> Blocks) {
  std::ofstream File(Path, std::ios::binary | std::ios::trunc);
  for (const YcfBlock& Block : Blocks)
    File.write(reinterpret_cast<const char*>(Block.Bytes), kYcfBlockSize);
  if (!File.flush()) throw std::runtime_error("cannot write " + Path);
}

}  // namespace drumlin
