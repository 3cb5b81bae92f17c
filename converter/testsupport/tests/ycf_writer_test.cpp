#include "testsupport/ycf_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "testsupport/reference_block.h"
#include "testsupport/reference_time.h"

namespace drumlin {
namespace {

using namespace test;

// Rebuilds the samples of a converted block from its first value and differences.
std::vector<int32_t> Samples(const YcfBlock& Block) {
  std::vector<int32_t> Result{FirstValue(Block)};
  const int Count = CompressionCode(Block) * RecordCount(Block);
  for (int K = 1; K < Count; ++K) Result.push_back(Result.back() + Difference(Block, K));
  return Result;
}

struct StreamCase {
  uint8_t RateCode;
  int64_t StartUsec;  // beyond a whole second
  std::size_t Count;
  int32_t Step;     // alternating size of the sample steps
  int Compression;  // expected of the first block
};

TEST(YcfWriter, SplitsSeriesIntoContiguousBlocks) {
  const StreamCase Cases[] = {
      {100, 0, 2600, 3, 4},       {100, 0, 1300, 1000, 2},      {100, 500000, 700, 100000, 1},
      {171, 375000, 5000, 50, 4}, {181, 62500, 9000, 20000, 2}, {20, 0, 1001, 7, 4},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(static_cast<int>(C.RateCode));
    std::vector<int32_t> Series;
    for (std::size_t K = 0; K < C.Count; ++K)
      Series.push_back(static_cast<int32_t>(K) + (K % 2 == 0 ? 0 : C.Step));
    const UsTime Start = EncodeUsDate(2024, 2, 29) + EncodeUsTime(23, 59, 50, 0) + C.StartUsec;
    std::vector<YcfBlock> Blocks = MakeStream({9, 0x1234567, C.RateCode, 3}, Start, Series);
    std::vector<int32_t> Rebuilt;
    UsTime Expected = Start;
    for (YcfBlock Block : Blocks) {
      EXPECT_EQ(BlockStart(Block), Expected);
      EXPECT_EQ(SystemId(Block), 9u);
      EXPECT_EQ(Byte12(Block), 3);
      const std::vector<int32_t> Part = Samples(Block);
      EXPECT_EQ(LastValue(Block), Part.back());
      Rebuilt.insert(Rebuilt.end(), Part.begin(), Part.end());
      Expected = BlockEnd(Block);
    }
    EXPECT_EQ(Rebuilt, Series);
    YcfBlock First = Blocks.front();
    EXPECT_EQ(CompressionCode(First), C.Compression);
  }
}

TEST(YcfWriter, RefusesWhatABlockCannotHold) {
  YcfHeaderSpec Header;
  Header.Compression = 4;
  const std::vector<int32_t> TooWide = {0, 128, 0, 0};
  const std::vector<int32_t> NotWholeRecords = {0, 1, 2};
  EXPECT_THROW(MakeDataBlock(Header, TooWide), std::invalid_argument);
  EXPECT_THROW(MakeDataBlock(Header, NotWholeRecords), std::invalid_argument);
  Header.RateCode = 100;
  EXPECT_THROW(SetBlockStart(Header, TimeCodeToUs(0) + 1000), std::invalid_argument);
}

}  // namespace
}  // namespace drumlin
