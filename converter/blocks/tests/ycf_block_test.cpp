#include "blocks/ycf_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "testsupport/reference_block.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

// A block as a file holds it, written byte by byte: two data records of
// the bytes 01 02 03 04 FF FE FD FC, the last value 80 00 00 01 behind them.
YcfBlock HandMadeBlock(uint8_t CompressionByteValue) {
  YcfBlock Block{};
  const uint8_t Header[] = {0x00, 0x00, 0x30,
                            0x39,  // system 12345
                            0x12, 0x34, 0x56,
                            0x78,  // stream
                            0x00, 0x02, 0x00,
                            0x05,  // day 1, 5 s
                            0x2A, 100,  CompressionByteValue,
                            2,    0xFF, 0xFF,
                            0xFF, 0xF6,  // first value -10
                            0x01, 0x02, 0x03,
                            0x04, 0xFF, 0xFE,
                            0xFD, 0xFC, 0x80,
                            0x00, 0x00, 0x01};
  std::memcpy(Block.Bytes, Header, sizeof Header);
  return Block;
}

struct DecodeCase {
  uint8_t CompressionByteValue;
  std::vector<int32_t> Differences;
};

// Every field read from its big-endian bytes, the block itself unchanged.
TEST(Block, ReadsHeaderAndDifferencesOfEveryWidth) {
  const DecodeCase Cases[] = {
      {0x01, {0x01020304, -66052}},
      {0x02, {258, 772, -2, -516}},
      {0x04, {1, 2, 3, 4, -1, -2, -3, -4}},
      {0x0C, {1, 2, 3, 4, -1, -2, -3, -4}},  // bit 3 carries no meaning
      {0x05, {0, 0, 0, 0, 0, 0, 0, 0}},      // invalid code
      {0x00, {0, 0, 0, 0}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(static_cast<int>(C.CompressionByteValue));
    const YcfBlock Block = HandMadeBlock(C.CompressionByteValue);
    EXPECT_EQ(SystemId(Block), 12345u);
    EXPECT_EQ(StreamId(Block), 0x12345678u);
    EXPECT_EQ(TimeCode(Block), 0x00020005u);
    EXPECT_EQ(Byte12(Block), 0x2A);
    EXPECT_EQ(SampleRateCode(Block), 100);
    EXPECT_EQ(CompressionByte(Block), C.CompressionByteValue);
    EXPECT_EQ(RecordCount(Block), 2);
    EXPECT_EQ(FirstValue(Block), -10);
    EXPECT_EQ(LastValue(Block), -2147483647);
    for (std::size_t I = 0; I < C.Differences.size(); ++I)
      EXPECT_EQ(test::Difference(Block, static_cast<int>(I)), C.Differences[I]) << I;
    // Nothing beyond the data records is read as a difference.
    EXPECT_EQ(test::Difference(Block, static_cast<int>(C.Differences.size())), 0);
    EXPECT_EQ(test::Difference(Block, -1), 0);
  }
}

TEST(Block, StatusBlockHasItsIdentifiersAndTimeAndNoDuration) {
  YcfBlock Block = HandMadeBlock(0x01);
  Block.Bytes[13] = 0;
  EXPECT_EQ(SystemId(Block), 12345u);
  EXPECT_EQ(TimeCode(Block), 0x00020005u);
  EXPECT_FALSE(IsUsableDataBlock(Block));
  EXPECT_EQ(BlockStart(Block), TimeCodeToUs(0x00020005u));
  EXPECT_EQ(test::BlockEnd(Block), BlockStart(Block));
}

struct LastValueCase {
  uint8_t RecordCount;
  std::size_t Offset;
};

// The last value follows the data records, at most 250 of them.
TEST(Block, FindsLastValueBehindTheRecords) {
  const LastValueCase Cases[] = {{0, 20}, {1, 24}, {250, 1020}, {251, 1020}, {255, 1020}};
  for (const auto& C : Cases) {
    YcfBlock Block{};
    Block.Bytes[13] = 100;
    Block.Bytes[14] = 4;
    Block.Bytes[15] = C.RecordCount;
    const uint8_t Last[] = {0x01, 0x02, 0x03, 0x04};
    std::memcpy(Block.Bytes + C.Offset, Last, 4);
    EXPECT_EQ(LastValue(Block), 0x01020304) << static_cast<int>(C.RecordCount);
  }
}

TEST(Block, MapsEveryRateCode) {
  const std::pair<uint8_t, uint16_t> HighRates[] = {
      {171, 400}, {174, 500}, {176, 1000}, {179, 2000}, {181, 4000}};
  for (const auto& [Code, Rate] : HighRates) EXPECT_EQ(SampleRate(Code), Rate);
  for (int Code = 0; Code < 256; ++Code) {
    if (Code == 171 || Code == 174 || Code == 176 || Code == 179 || Code == 181) continue;
    EXPECT_EQ(SampleRate(static_cast<uint8_t>(Code)), Code);
  }
}

struct TimingCase {
  uint8_t RateCode;
  uint8_t Compression;
  uint8_t FracNumerator;
  uint8_t RecordCount;
  int64_t Offset;  // of the start beyond the time code
  int64_t Duration;
};

TEST(Block, StartsWithFractionalOffsetAndSpansTruncatedDuration) {
  const TimingCase Cases[] = {
      {171, 1, 3, 250, 375000, 625000},   // 400/s: steps of 1/8 s
      {174, 2, 1, 250, 500000, 1000000},  // 500/s: 1/2 s
      {176, 4, 1, 250, 250000, 1000000},  // 1000/s: 1/4 s
      {179, 4, 1, 250, 125000, 500000},   // 2000/s: 1/8 s
      {181, 4, 15, 250, 937500, 250000},  // 4000/s: 1/16 s
      {100, 1, 1, 250, 2500000, 2500000},
      {172, 1, 1, 10, 1453488, 58139},  // 250e6/172 and 10e6/172 truncated
      {3, 1, 0, 250, 0, 83333333},
      {7, 4, 0, 250, 0, 142857142},
      {100, 4, 0, 0, 0, 0},
      {100, 5, 0, 10, 0, 500000},  // raw code bits count, unchecked
      {100, 4, 0, 255, 0, 10200000},
      {0, 4, 5, 250, 0, 0},  // status block
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(static_cast<int>(C.RateCode));
    YcfHeaderSpec Header;
    Header.RateCode = C.RateCode;
    Header.Compression = C.Compression;
    Header.FracNumerator = C.FracNumerator;
    Header.TimeCode = MakeTimeCode(12000, 43210);
    const YcfBlock Block = MakeRawBlock(Header, C.RecordCount, 0, {}, 0);
    const UsTime Code = TimeCodeToUs(MakeTimeCode(12000, 43210));
    EXPECT_EQ(BlockStart(Block), Code + C.Offset);
    EXPECT_EQ(BlockDuration(Block), C.Duration);
    EXPECT_EQ(test::BlockEnd(Block), Code + C.Offset + C.Duration);
  }
}

TEST(ByteOrder, BigEndianFieldsAtAnyAlignment) {
  uint8_t Bytes[7] = {0xEE, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xEE};
  EXPECT_EQ(LoadBe32(Bytes + 1), 0x12345678u);  // unaligned
  EXPECT_EQ(LoadBe16(Bytes + 4), 0x789Au);
  StoreBe32(Bytes + 2, 0xFF000001u);
  StoreBe16(Bytes, 0x0102u);
  const uint8_t Expected[7] = {0x01, 0x02, 0xFF, 0x00, 0x00, 0x01, 0xEE};
  EXPECT_EQ(std::memcmp(Bytes, Expected, sizeof Bytes), 0);
  EXPECT_EQ(ByteSwap32(0x12345678u), 0x78563412u);
  EXPECT_EQ(ByteSwap16(0x1234u), 0x3412u);
}

}  // namespace
}  // namespace drumlin
