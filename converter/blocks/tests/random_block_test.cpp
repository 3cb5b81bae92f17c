// Any 1024 bytes must decode without reading or writing outside the block.
// This test also runs as a sanitizer build.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "blocks/block_samples.h"
#include "blocks/stream_id.h"
#include "blocks/ycf_block.h"

namespace drumlin {
namespace {

TEST(RandomBlocks, DecodeInsideTheBlock) {
  std::mt19937 Random(20261210);
  std::uniform_int_distribution<int> Byte(0, 255);
  for (int Round = 0; Round < 20000; ++Round) {
    YcfBlock Block;
    for (uint8_t& B : Block.Bytes) B = static_cast<uint8_t>(Byte(Random));
    // Push a share of the blocks to the edges: full or overfull, status.
    if (Round % 4 == 1) Block.Bytes[kRecordCountOffset] = static_cast<uint8_t>(250 + Round % 6);
    if (Round % 8 == 2) Block.Bytes[kSampleRateCodeOffset] = 0;
    const YcfBlock Original = Block;

    ConvertBlock(Block);
    const int Samples = CompressionCode(Block) * std::min<int>(RecordCount(Block), 250);
    const bool KnownCode =
        CompressionCode(Block) == 1 || CompressionCode(Block) == 2 || CompressionCode(Block) == 4;
    for (int Index = -2; Index < 1100; ++Index)
      if (Index < 0 || Index >= Samples || !KnownCode)
        ASSERT_EQ(Difference(Block, Index), 0);
      else
        (void)Difference(Block, Index);
    (void)FirstValue(Block);
    (void)LastValue(Block);
    // The one-pass rebuild stays inside the block and its sample buffer too.
    int32_t Rebuilt[kMaxBlockSamples];
    const int Count = RebuildBlockSamples(Block, Rebuilt);
    ASSERT_TRUE(Count >= 0 && Count <= kMaxBlockSamples);
    if (KnownCode) {
      ASSERT_EQ(Count, CompressionCode(Block) * RecordCount(Block));
    }
    ASSERT_GE(BlockDuration(Block), 0);
    ASSERT_EQ(BlockEnd(Block) - BlockStart(Block), BlockDuration(Block));
    ASSERT_EQ(ChannelCode(Block).size(), 3u);
    const std::size_t StreamLength = Base36Id(StreamId(Block)).size();
    ASSERT_TRUE(StreamLength >= 1 && StreamLength <= 6);

    // Converting is its own inverse: every swapped field lies inside the block.
    ConvertBlock(Block);
    ASSERT_EQ(std::memcmp(Block.Bytes, Original.Bytes, kYcfBlockSize), 0) << Round;
  }
}

}  // namespace
}  // namespace drumlin
