// Packing rules of the Steim-1 frame packer, checked word by word.
#include "records/steim1_packer.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace drumlin {
namespace {

struct PackedWord {
  uint32_t Code;
  uint32_t Word;
  bool operator==(const PackedWord&) const = default;
};

// The data words of the current record in the order they were filled:
// frame 0 words 3 to 15, then words 1 to 15 of each further frame, up to the
// first word whose code is still 00.
std::vector<PackedWord> DataWords(const Steim1Packer& Packer) {
  std::vector<PackedWord> Words;
  for (int F = 0; F < Steim1Packer::kFrameCount; ++F)
    for (int W = F == 0 ? 3 : 1; W < Steim1Packer::kWordsPerFrame; ++W) {
      const uint32_t Code = Packer.Word(F, 0) >> (2 * (15 - W)) & 3u;
      if (Code == 0) return Words;
      Words.push_back({Code, Packer.Word(F, W)});
    }
  return Words;
}

// The oldest difference a word holds, sign-extended from its width.
int32_t FirstDifference(const PackedWord& W) {
  switch (W.Code) {
    case 1: return static_cast<int8_t>(W.Word >> 24);
    case 2: return static_cast<int16_t>(W.Word >> 16);
    default: return static_cast<int32_t>(W.Word);
  }
}

TEST(Steim1Packer, DiffSizeBoundaries) {
  const struct {
    int32_t Diff;
    int Size;
  } Cases[] = {{0, 1},      {127, 1},   {-128, 1},   {128, 2},       {-129, 2},     {32767, 2},
               {-32768, 2}, {32768, 3}, {-32769, 3}, {INT32_MAX, 3}, {INT32_MIN, 3}};
  for (const auto& C : Cases) EXPECT_EQ(Steim1Packer::DiffSize(C.Diff), C.Size) << C.Diff;
}

struct RuleCase {
  const char* Name;
  std::vector<int32_t> Samples;  // the run opens with the first of them as X0
  std::vector<PackedWord> Words;
  int Queued;
};

TEST(Steim1Packer, PackingRules) {
  const RuleCase Cases[] = {
      // Differences 0, 1, 2, -3: one word of four bytes, oldest in the top byte.
      {"four bytes", {0, 1, 3, 0}, {{1, 0x000102FDu}}, 0},
      {"four negative bytes", {0, -1, -2, -3}, {{1, 0x00FFFFFFu}}, 0},
      // Sizes 1, 1, 2 wait; the fourth difference lets the first two go as halves.
      {"1 1 2 waits", {0, 1, 201}, {}, 3},
      {"1 1 2 1 packs halves", {0, 1, 201, 202}, {{2, 0x00000001u}}, 2},
      {"then the 2 1 pair", {0, 1, 201, 202, 203}, {{2, 0x00000001u}, {2, 0x00C80001u}}, 1},
      // Sizes 1, 1, 1, 3: halves first, then the small one alone as 32 bits.
      {"1 1 1 3", {0, 1, 2, 100002}, {{2, 0x00000001u}}, 2},
      {"1 3 then", {0, 1, 2, 100002, 100002}, {{2, 0x00000001u}, {3, 1u}}, 2},
      {"3 then", {0, 1, 2, 100002, 100002, 100002}, {{2, 0x00000001u}, {3, 1u}, {3, 100000u}}, 2},
      // A 32-bit difference in second place makes the first one a word alone.
      {"size 3 second", {0, 70000}, {{3, 0u}}, 1},
      // The first sample of a run is a difference from 0.
      {"first sample 100000", {100000}, {{3, 100000u}}, 0},
      {"two 16-bit", {0, 1000, -1000}, {{2, 0x000003E8u}}, 1},
      {"negative halves", {-300, -600}, {{2, 0xFED4FED4u}}, 0},
      // Sum and difference wrap around in 32 bits.
      {"wrap-around", {INT32_MAX, INT32_MIN}, {{3, 0x7FFFFFFFu}}, 1},
  };
  for (const RuleCase& C : Cases) {
    Steim1Packer Packer;
    Packer.StartRun(C.Samples.front(), true);
    for (int32_t V : C.Samples) EXPECT_FALSE(Packer.AddSample(V)) << C.Name;
    EXPECT_EQ(DataWords(Packer), C.Words) << C.Name;
    EXPECT_EQ(Packer.DiffCount(), C.Queued) << C.Name;
    EXPECT_EQ(Packer.X0(), C.Samples.front()) << C.Name;
  }
}

TEST(Steim1Packer, FlushStepsPackEveryQueuedDifferenceAlone) {
  Steim1Packer Packer;
  Packer.StartRun(5, true);
  for (int32_t V : {5, 6, 4}) Packer.AddSample(V);
  ASSERT_EQ(Packer.DiffCount(), 3);
  while (Packer.DiffCount() > 0) EXPECT_FALSE(Packer.PackOneQueued());
  const std::vector<PackedWord> Expected = {{3, 5u}, {3, 1u}, {3, 0xFFFFFFFEu}};
  EXPECT_EQ(DataWords(Packer), Expected);
  EXPECT_EQ(Packer.SampleCount(), 3);
  EXPECT_EQ(Packer.SampleSum(), 4);  // the value of the last sample
}

// Number of samples fed before AddSample first reports a full record, and
// the packer state right after it.
struct FillCase {
  const char* Name;
  int32_t Value;  // a constant signal
  int Samples;    // samples in the full record
};

TEST(Steim1Packer, RecordFillsAtItsLastWord) {
  // 943 data words: 13 in frame 0, 15 in each of frames 1 to 62.
  const FillCase Cases[] = {
      {"zeros: four per word", 0, 943 * 4},
      {"size-3 constant: first alone, then zeros", 1000000, 1 + 942 * 4},
      {"size-2 constant: halves, then zeros", 1000, 2 + 942 * 4},
      {"largest value", INT32_MAX, 1 + 942 * 4},
  };
  for (const FillCase& C : Cases) {
    Steim1Packer Packer;
    Packer.StartRun(C.Value, true);
    int Fed = 0;
    bool Full = false;
    while (!Full && Fed < 5000) {
      Full = Packer.AddSample(C.Value);
      ++Fed;
    }
    EXPECT_TRUE(Full) << C.Name;
    EXPECT_EQ(Packer.SampleCount(), C.Samples) << C.Name;
    Packer.CloseRecord();
    EXPECT_EQ(static_cast<int32_t>(Packer.Word(0, 2)), C.Value) << C.Name;  // Xn
    EXPECT_EQ(Packer.X0(), C.Value) << C.Name;
    // The next record's first sample becomes its X0 and its first word.
    const int Leftover = Fed - C.Samples - Packer.DiffCount();
    EXPECT_EQ(Leftover, 0) << C.Name;
    Packer.StartNextRecord();
    EXPECT_FALSE(Packer.X0Known()) << C.Name;
    while (Packer.SampleCount() == 0) Packer.AddSample(C.Value);
    EXPECT_EQ(Packer.X0(), C.Value) << C.Name;
    EXPECT_EQ(FirstDifference(DataWords(Packer).front()), C.Value) << C.Name;
  }
}

TEST(Steim1Packer, FirstValueUnknownIsTakenFromTheFirstSample) {
  Steim1Packer Packer;
  Packer.StartRun(0, false);
  EXPECT_FALSE(Packer.X0Known());
  Packer.AddSample(-77777);
  EXPECT_TRUE(Packer.X0Known());
  EXPECT_EQ(Packer.X0(), -77777);
  EXPECT_EQ(DataWords(Packer), (std::vector<PackedWord>{{3, static_cast<uint32_t>(-77777)}}));
}

}  // namespace
}  // namespace drumlin
