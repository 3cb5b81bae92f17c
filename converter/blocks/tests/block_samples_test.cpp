// Rebuilding a block's samples in one pass against the running sum of
// Difference, index by index, on blocks of every compression code and record
// counts up to past the 250 a block holds.
#include "blocks/block_samples.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

TEST(BlockSamples, OnePassEqualsDifferenceByDifference) {
  std::mt19937 Rng(77);
  for (const uint8_t Code : {uint8_t{1}, uint8_t{2}, uint8_t{4}, uint8_t{3}, uint8_t{0}})
    for (const uint8_t Records :
         {uint8_t{0}, uint8_t{1}, uint8_t{37}, uint8_t{250}, uint8_t{255}}) {
      YcfHeaderSpec Header;
      Header.Compression = Code;
      std::vector<int32_t> Diffs(1000);
      for (int32_t& D : Diffs) D = static_cast<int32_t>(Rng());  // stored with the code's width
      Diffs[1] = INT32_MAX;                                      // forces wrap-around
      const int32_t First = INT32_MAX - 1;
      YcfBlock Block = MakeRawBlock(Header, Records, First, Diffs, 0);
      ConvertBlock(Block);

      int32_t Samples[kMaxBlockSamples];
      const int Count = RebuildBlockSamples(Block, Samples);
      const bool Valid = Code == 1 || Code == 2 || Code == 4;
      ASSERT_EQ(Count, Valid ? Code * Records : 0) << int(Code) << " " << int(Records);
      uint32_t Value = static_cast<uint32_t>(First);
      for (int I = 0; I < Count; ++I) {
        if (I > 0) Value += static_cast<uint32_t>(Difference(Block, I));
        ASSERT_EQ(Samples[I], static_cast<int32_t>(Value))
            << int(Code) << " " << int(Records) << " " << I;
      }
    }
}

}  // namespace
}  // namespace drumlin
