// The view of a block's stored differences against the reference readers:
// the first value followed by the running sum over the view gives the
// samples that Difference gives index by index, for every compression code
// and record count a usable block can have, the widest values included.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "blocks/ycf_block.h"
#include "testsupport/reference_block.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

std::vector<int32_t> SamplesFromView(const YcfBlock& Block) {
  std::vector<int32_t> Samples;
  if (SampleCountClaimed(Block) == 0) return Samples;
  const StoredDifferences View = DifferencesAfterFirst(Block);
  uint32_t Value = static_cast<uint32_t>(FirstValue(Block));
  Samples.push_back(static_cast<int32_t>(Value));
  for (int I = 0; I < View.Count; ++I) {
    const uint8_t* At = View.Data + static_cast<std::size_t>(I * View.Width);
    const int32_t Diff = View.Width == 4   ? LoadBeSigned<int32_t>(At)
                         : View.Width == 2 ? LoadBeSigned<int16_t>(At)
                                           : LoadBeSigned<int8_t>(At);
    Value += static_cast<uint32_t>(Diff);
    Samples.push_back(static_cast<int32_t>(Value));
  }
  return Samples;
}

TEST(StoredDifferences, GiveTheSamplesOfTheDifferencesOneByOne) {
  std::mt19937 Rng(77);
  for (const uint8_t Code : {uint8_t{1}, uint8_t{2}, uint8_t{4}})
    for (const uint8_t Records : {uint8_t{0}, uint8_t{1}, uint8_t{37}, uint8_t{250}}) {
      YcfHeaderSpec Header;
      Header.Compression = Code;
      std::vector<int32_t> Diffs(1000);
      for (int32_t& D : Diffs) D = static_cast<int32_t>(Rng());  // stored with the code's width
      Diffs[1] = INT32_MAX;                                      // forces wrap-around
      const YcfBlock Block = MakeRawBlock(Header, Records, INT32_MAX - 1, Diffs, 0);
      ASSERT_TRUE(IsUsableDataBlock(Block));

      int32_t Expected[test::kMaxBlockSamples];
      const int Count = test::RebuildBlockSamples(Block, Expected);
      ASSERT_EQ(Count, Code * Records);
      const std::vector<int32_t> Samples = SamplesFromView(Block);
      ASSERT_EQ(Samples, std::vector<int32_t>(Expected, Expected + Count))
          << int{Code} << " " << int{Records};
      // The view ends where the last value begins.
      const StoredDifferences View = DifferencesAfterFirst(Block);
      if (Count > 0) {
        EXPECT_EQ(View.Data + View.Count * View.Width, Block.Bytes + LastValueOffset(Block));
      }
    }
}

}  // namespace
}  // namespace drumlin
