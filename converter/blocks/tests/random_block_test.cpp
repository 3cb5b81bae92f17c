// Any 1024 bytes decode without reading or writing outside the block: every
// reader stays in the block and leaves it as it was, and the view of a usable
// block's differences ends where its last value begins.
// The sanitized build of the suite checks the same reads for memory faults.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "blocks/stream_id.h"
#include "blocks/ycf_block.h"
#include "testsupport/reference_block.h"

namespace drumlin {
namespace {

TEST(RandomBlocks, DecodeInsideTheBlock) {
  std::mt19937 Random(20261210);
  std::uniform_int_distribution<int> Byte(0, 255);
  int Usable = 0;
  for (int Round = 0; Round < 20000; ++Round) {
    YcfBlock Block;
    for (uint8_t& B : Block.Bytes) B = static_cast<uint8_t>(Byte(Random));
    // Push a share of the blocks to the edges: full or overfull, status,
    // usable codes and seconds.
    if (Round % 4 == 1) Block.Bytes[kRecordCountOffset] = static_cast<uint8_t>(245 + Round % 11);
    if (Round % 8 == 2) Block.Bytes[kSampleRateCodeOffset] = 0;
    if (Round % 3 == 0) Block.Bytes[kCompressionByteOffset] = static_cast<uint8_t>(1 << Round % 3);
    if (Round % 5 == 0) Block.Bytes[kTimeCodeOffset + 1] &= 0xFE;  // seconds below 65536
    const YcfBlock Original = Block;

    ASSERT_LE(LastValueOffset(Block) + 4, kYcfBlockSize);
    ASSERT_GE(BlockDuration(Block), 0);
    ASSERT_EQ(test::BlockEnd(Block) - BlockStart(Block), BlockDuration(Block));
    ASSERT_EQ(ChannelCode(Block).size(), 3u);
    const std::size_t StreamLength = Base36Id(StreamId(Block)).size();
    ASSERT_TRUE(StreamLength >= 1 && StreamLength <= 6);
    if (IsUsableDataBlock(Block)) {
      ++Usable;
      const StoredDifferences View = DifferencesAfterFirst(Block);
      ASSERT_GE(View.Data, Block.Bytes + kDataOffset);
      ASSERT_LE(View.Data + View.Count * View.Width, Block.Bytes + LastValueOffset(Block));
      ASSERT_EQ(View.Width * CompressionCode(Block), 4);
    }

    ASSERT_EQ(std::memcmp(Block.Bytes, Original.Bytes, kYcfBlockSize), 0) << Round;
  }
  EXPECT_GT(Usable, 1000);  // the edges above make many blocks usable
}

}  // namespace
}  // namespace drumlin
