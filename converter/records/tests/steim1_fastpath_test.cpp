// The converter's Steim-1 packer against the packing rules stated sample by
// sample (the reference packer of the test support): fed a block's first
// sample and then its stored differences of 8, 16 or 32 bits, as the record
// file feeds it, or sample by sample, it must give the same records, word for
// word, control codes, X0, Xn and record boundaries included, on random and
// adversarial streams in blocks of random sizes, with runs opened by blocks
// without samples and flushes at gaps. Planted faults show that the
// comparison sees a single word that differs.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "blocks/byte_order.h"
#include "records/steim1_packer.h"
#include "testsupport/reference_steim1.h"

namespace drumlin {
namespace {

using test::ReferenceSteim1Packer;

struct PackedRecord {
  std::vector<uint32_t> Words;  // all 63 frames, X0 and Xn included
  int SampleCount;
  bool operator==(const PackedRecord&) const = default;
};

// What a packer made of a stream: its records, and after each block the
// number of differences still queued (which the rules fix as well: it
// decides what a flush or a record boundary does with them).
struct Packing {
  std::vector<PackedRecord> Records;
  std::vector<int> Queued;
};

// One block of input: its samples, and whether a gap comes before it (flush
// and new run).
struct InputBlock {
  std::vector<int32_t> Samples;
  bool GapBefore;
};

// How the converter's packer is fed: sample by sample, or each block's
// first sample and then its differences stored in fields of at least
// MinWidth bytes (1, 2 or 4), wider where a difference needs it.
struct Feed {
  bool Differences;
  int MinWidth;
  const char* Name;
};

constexpr Feed kFeeds[] = {{false, 0, "sample by sample"},
                           {true, 1, "narrowest differences"},
                           {true, 2, "differences of 16 bits or more"},
                           {true, 4, "differences of 32 bits"}};

// Packs the blocks the way the record file does and returns every record
// written; Packer is the converter's or the reference packer.
template <typename Packer>
class RecordCollector {
 public:
  explicit RecordCollector(Feed How) : How_(How) {}

  Packing Pack(const std::vector<InputBlock>& Blocks) {
    bool NeedRun = true;
    for (const InputBlock& Block : Blocks) {
      if (Block.GapBefore && !NeedRun) {
        Flush();
        NeedRun = true;
      }
      if (NeedRun) {
        // A block without samples opens a run whose first sample is unknown.
        Packer_.StartRun(Block.Samples.empty() ? 0 : Block.Samples[0], !Block.Samples.empty());
        NeedRun = false;
      }
      bool Taken = false;
      if constexpr (kTakesDifferences) {
        if (How_.Differences) {
          AddAsDifferences(Block.Samples);
          Taken = true;
        }
      }
      if (!Taken)
        for (int32_t V : Block.Samples)
          if (Packer_.AddSample(V)) Write();
      Queued_.push_back(Packer_.DiffCount());
    }
    if (!NeedRun) Flush();
    return {Records_, Queued_};
  }

 private:
  // The reference packer takes samples only.
  static constexpr bool kTakesDifferences = std::is_same_v<Packer, Steim1Packer>;

  template <typename Field>
  void AddFields(const std::vector<int32_t>& Diffs) {
    // Big-endian fields, as a block stores them.
    std::vector<uint8_t> Bytes(Diffs.size() * sizeof(Field));
    for (std::size_t I = 0; I < Diffs.size(); ++I)
      for (std::size_t K = 0; K < sizeof(Field); ++K)
        Bytes[I * sizeof(Field) + K] =
            static_cast<uint8_t>(static_cast<uint32_t>(Diffs[I]) >> (8 * (sizeof(Field) - 1 - K)));
    const uint8_t* Next = Bytes.data();
    int Left = static_cast<int>(Diffs.size());
    while (Left > 0) {
      int Used = -1;
      const bool Full = Packer_.template AddDifferences<Field>(Next, Left, Used);
      ASSERT_GT(Used, 0);
      ASSERT_LE(Used, Left);
      if (!Full) {
        ASSERT_EQ(Used, Left);
      }
      if (Full) Write();
      Next += static_cast<std::size_t>(Used) * sizeof(Field);
      Left -= Used;
    }
  }

  void AddAsDifferences(const std::vector<int32_t>& Samples) {
    if (Samples.empty()) return;
    if (Packer_.AddSample(Samples[0])) Write();
    std::vector<int32_t> Diffs;
    int Width = How_.MinWidth;
    for (std::size_t I = 1; I < Samples.size(); ++I) {
      const int32_t D = static_cast<int32_t>(static_cast<uint32_t>(Samples[I]) -
                                             static_cast<uint32_t>(Samples[I - 1]));
      Diffs.push_back(D);
      const int Size = Steim1Packer::DiffSize(D);
      Width = std::max(Width, Size == 1 ? 1 : Size == 2 ? 2 : 4);
    }
    if (Width == 1)
      AddFields<int8_t>(Diffs);
    else if (Width == 2)
      AddFields<int16_t>(Diffs);
    else
      AddFields<int32_t>(Diffs);
  }

  void Flush() {
    if (Packer_.SampleCount() + Packer_.DiffCount() == 0) return;
    while (Packer_.DiffCount() > 0)
      if (Packer_.PackOneQueued()) Write();
    Write();
  }

  void Write() {
    if (Packer_.SampleCount() > 0) {
      Packer_.CloseRecord();
      // Every word as a number: the converter's packer keeps its closed
      // frames as they stand in the file, the reference as native words.
      PackedRecord Record{std::vector<uint32_t>(), Packer_.SampleCount()};
      for (int F = 0; F < 63; ++F)
        for (int W = 0; W < 16; ++W) {
          const uint32_t Word = Packer_.Frames()[F][W];
          Record.Words.push_back(kTakesDifferences ? BigEndian32(Word) : Word);
        }
      Records_.push_back(std::move(Record));
    }
    Packer_.StartNextRecord();
  }

  Feed How_;
  Packer Packer_;
  std::vector<PackedRecord> Records_;
  std::vector<int> Queued_;
};

// The first place where two packings differ, or an empty text.
std::string FirstDifference(const Packing& GotPacking, const Packing& RulesPacking) {
  const std::vector<PackedRecord>& Got = GotPacking.Records;
  const std::vector<PackedRecord>& Rules = RulesPacking.Records;
  if (Got.size() != Rules.size())
    return std::to_string(Got.size()) + " records where the rules make " +
           std::to_string(Rules.size());
  for (std::size_t R = 0; R < Rules.size(); ++R) {
    if (Got[R].SampleCount != Rules[R].SampleCount)
      return "record " + std::to_string(R) + ": " + std::to_string(Got[R].SampleCount) +
             " samples where the rules pack " + std::to_string(Rules[R].SampleCount);
    for (std::size_t W = 0; W < Rules[R].Words.size(); ++W)
      if (Got[R].Words[W] != Rules[R].Words[W])
        return "record " + std::to_string(R) + ", frame " + std::to_string(W / 16) + ", word " +
               std::to_string(W % 16);
  }
  for (std::size_t B = 0; B < RulesPacking.Queued.size(); ++B)
    if (GotPacking.Queued[B] != RulesPacking.Queued[B])
      return "after block " + std::to_string(B) + ": " + std::to_string(GotPacking.Queued[B]) +
             " differences queued where the rules keep " + std::to_string(RulesPacking.Queued[B]);
  return "";
}

Packing RuleRecords(const std::vector<InputBlock>& Blocks) {
  return RecordCollector<ReferenceSteim1Packer>(kFeeds[0]).Pack(Blocks);
}

void ExpectTheRecordsOfTheRules(const std::vector<InputBlock>& Blocks, const std::string& What) {
  const Packing Rules = RuleRecords(Blocks);
  for (const Feed& How : kFeeds)
    EXPECT_EQ(FirstDifference(RecordCollector<Steim1Packer>(How).Pack(Blocks), Rules), "")
        << What << ", " << How.Name;
}

// Kinds of difference streams, each stressing other word choices.
enum class Kind { Quiet, Edges8, Mostly8, Mixed8And16, Sizes16, Mostly32, Sizes32, Extremes };

int32_t NextDifference(Kind K, std::mt19937& Rng) {
  auto Pick = [&](int32_t Lo, int32_t Hi) {
    return std::uniform_int_distribution<int32_t>(Lo, Hi)(Rng);
  };
  switch (K) {
    case Kind::Quiet: return Pick(-3, 3);
    case Kind::Edges8: {  // 8-bit limits and the first values past them
      static constexpr int32_t Edges[] = {-128, 127, -129, 128, 0, -1};
      return Edges[Pick(0, Pick(0, 9) == 0 ? 5 : 1)];
    }
    case Kind::Mostly8: {
      const int32_t Roll = Pick(0, 99);
      if (Roll < 90) return Pick(-128, 127);
      if (Roll < 97) return Pick(-32768, 32767);
      return Pick(INT32_MIN, INT32_MAX);
    }
    case Kind::Mixed8And16:  // pairs chosen late by the fourth difference
      return Pick(0, 3) == 0 ? Pick(-32768, 32767) : Pick(-128, 127);
    case Kind::Sizes16: return Pick(-32768, 32767);
    case Kind::Mostly32: {  // runs of 32-bit words broken by narrower ones, some late
      const int32_t Roll = Pick(0, 99);
      if (Roll < 85) return Pick(INT32_MIN, INT32_MAX);
      if (Roll < 95) return Pick(-32768, 32767);
      return Pick(-128, 127);
    }
    case Kind::Sizes32: return Pick(INT32_MIN, INT32_MAX);
    case Kind::Extremes: {  // wrap-around and the X0 mark value as samples
      static constexpr int32_t Jumps[] = {INT32_MAX, INT32_MIN, 1, -1, 127, -128};
      return Jumps[Pick(0, 5)];
    }
  }
  return 0;
}

std::vector<InputBlock> RandomBlocks(Kind K, uint32_t Seed, int TotalSamples) {
  std::mt19937 Rng(Seed);
  std::vector<InputBlock> Blocks;
  uint32_t Value =
      K == Kind::Extremes ? static_cast<uint32_t>(INT32_MAX) - 2 : static_cast<uint32_t>(Rng());
  int Made = 0;
  while (Made < TotalSamples) {
    InputBlock Block;
    const int Roll = std::uniform_int_distribution<int>(0, 19)(Rng);
    Block.GapBefore = Roll == 0;
    // Sizes of real blocks (up to 1000 samples), some empty.
    const int Count = Roll == 1 ? 0 : std::uniform_int_distribution<int>(1, 1000)(Rng);
    if (Block.GapBefore) Value = static_cast<uint32_t>(Rng());
    for (int I = 0; I < Count; ++I) {
      Value += static_cast<uint32_t>(NextDifference(K, Rng));
      Block.Samples.push_back(static_cast<int32_t>(Value));
    }
    Made += Count;
    Blocks.push_back(std::move(Block));
  }
  return Blocks;
}

TEST(Steim1FastPath, RandomStreamsGiveTheRecordsOfThePackingRules) {
  const struct {
    Kind K;
    const char* Name;
  } Kinds[] = {{Kind::Quiet, "quiet"},          {Kind::Edges8, "8-bit edges"},
               {Kind::Mostly8, "mostly 8-bit"}, {Kind::Mixed8And16, "8 and 16 bits"},
               {Kind::Sizes16, "16-bit"},       {Kind::Mostly32, "mostly 32-bit"},
               {Kind::Sizes32, "32-bit"},       {Kind::Extremes, "extremes"}};
  for (const auto& Each : Kinds)
    for (uint32_t Seed = 1; Seed <= 6; ++Seed)
      ExpectTheRecordsOfTheRules(RandomBlocks(Each.K, Seed, 60000),
                                 std::string(Each.Name) + ", seed " + std::to_string(Seed));
}

// Size-class patterns that make the rules choose a word late (rule 2: a
// 32-bit difference second; rule 4: a wider one third or fourth), repeated
// so that the late words run on across block ends and record boundaries.
TEST(Steim1FastPath, WordsChosenLateRunOnAcrossBlocksAndRecords) {
  const std::vector<std::vector<int32_t>> Patterns = {
      {1, 100000},                    // 8 32 -> alone, alone
      {1, 2, 300, 4},                 // 8 8 16 8 -> pair, pair
      {1, 2, 3, 100000, 5, 6, 7, 8},  // 8 8 8 32 -> pair, then late singles
      {100000, 1, 300, -100000, 1, 2, 3, 4, 5},
  };
  for (std::size_t P = 0; P < Patterns.size(); ++P)
    for (const int BlockSize : {1, 2, 3, 5, 7, 500, 999}) {
      std::vector<InputBlock> Blocks;
      uint32_t Value = 0;
      for (int B = 0; B < 30; ++B) {
        InputBlock Block{{}, false};
        for (int I = 0; I < BlockSize; ++I) {
          const std::size_t At = static_cast<std::size_t>(B * BlockSize + I) % Patterns[P].size();
          Value += static_cast<uint32_t>(Patterns[P][At]);
          Block.Samples.push_back(static_cast<int32_t>(Value));
        }
        Blocks.push_back(std::move(Block));
      }
      ExpectTheRecordsOfTheRules(
          Blocks, "pattern " + std::to_string(P) + ", blocks of " + std::to_string(BlockSize));
    }
}

TEST(Steim1FastPath, HandPickedStreams) {
  std::vector<int32_t> Ramp(3000);
  for (std::size_t I = 0; I < Ramp.size(); ++I) Ramp[I] = static_cast<int32_t>(I % 256) - 128;
  std::vector<int32_t> AtMark(2000, INT32_MAX);  // every sample 2147483647
  std::vector<int32_t> Wrap;                     // steps of 127 across the 32-bit wrap-around
  for (uint32_t V = static_cast<uint32_t>(INT32_MAX) - 5000; Wrap.size() < 4000; V += 127)
    Wrap.push_back(static_cast<int32_t>(V));
  // A record holds 943 words, four samples each for a constant signal of
  // small values: 3772 samples. A block of 3773 ends one sample past the
  // first record boundary.
  std::vector<int32_t> PastBoundary(3773, 5);
  const struct {
    const char* Name;
    std::vector<InputBlock> Blocks;
  } Cases[] = {
      {"ramp in one block", {{Ramp, false}}},
      {"constant 2147483647", {{AtMark, false}}},
      {"wrap-around", {{Wrap, false}}},
      {"record boundary inside a block", {{PastBoundary, false}, {PastBoundary, false}}},
      {"run opened by a block without samples", {{{}, false}, {Ramp, false}}},
      {"gap after an empty block", {{Ramp, false}, {{}, true}, {AtMark, false}}},
      {"flushes at gaps between short blocks",
       {{{1, 2, 3}, false}, {{4}, true}, {{-5, 200, 7, 8, 9}, true}, {{10, 11}, false}}},
  };
  for (const auto& C : Cases) ExpectTheRecordsOfTheRules(C.Blocks, C.Name);

  // The boundary case does cross the boundary inside the first block.
  const std::vector<PackedRecord> Records = RuleRecords({{PastBoundary, false}}).Records;
  ASSERT_EQ(Records.size(), 2u);
  EXPECT_EQ(Records[0].SampleCount, 3772);
  EXPECT_EQ(Records[1].SampleCount, 1);
}

// The comparison itself: a stream changed in one sample, or packed with one
// more flush, must be seen to differ from the rules' records.
TEST(Steim1FastPath, ComparisonSeesPlantedFaults) {
  const std::vector<InputBlock> Blocks = RandomBlocks(Kind::Mostly8, 99, 20000);
  const Packing Rules = RuleRecords(Blocks);
  ASSERT_EQ(FirstDifference(RecordCollector<Steim1Packer>(kFeeds[1]).Pack(Blocks), Rules), "");

  std::vector<InputBlock> OneSample = Blocks;
  for (InputBlock& Block : OneSample)
    if (Block.Samples.size() > 500) {
      Block.Samples[300] += 1;  // one difference up, the next one down
      break;
    }
  EXPECT_NE(FirstDifference(RecordCollector<Steim1Packer>(kFeeds[1]).Pack(OneSample), Rules), "");

  std::vector<InputBlock> OneFlush = Blocks;
  std::size_t Middle = OneFlush.size() / 2;
  while (OneFlush[Middle].GapBefore || OneFlush[Middle].Samples.empty()) ++Middle;
  OneFlush[Middle].GapBefore = true;
  for (const Feed& How : kFeeds)
    EXPECT_NE(FirstDifference(RecordCollector<Steim1Packer>(How).Pack(OneFlush), Rules), "")
        << How.Name;
}

}  // namespace
}  // namespace drumlin
