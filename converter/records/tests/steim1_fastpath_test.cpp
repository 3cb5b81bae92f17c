// The block-level packing paths (AddSamples, with its four-at-once words for
// runs of 8-bit differences, and AddDifferences, fed a block's first sample
// and then its stored differences of 8, 16 or 32 bits) against the
// sample-by-sample packing rules (AddSample): every record, word, control
// code, X0, Xn and record boundary must come out the same, on random and
// adversarial streams fed in blocks of random sizes, with runs opened by
// blocks without samples and flushes at gaps.
#include "records/steim1_packer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <vector>

namespace drumlin {
namespace {

struct PackedRecord {
  std::vector<uint32_t> Words;  // all 63 frames, X0 and Xn included
  int SampleCount;
  bool operator==(const PackedRecord&) const = default;
};

// One block of input: its samples, whether a gap comes before it (flush and
// new run) and, for a block opening a run, whether its first sample is known.
struct InputBlock {
  std::vector<int32_t> Samples;
  bool GapBefore;
};

// Packs the blocks the way the record file does, sample by sample or block by
// block, and returns every record written.
enum class Path { SampleBySample, Samples, Differences };

class RecordCollector {
 public:
  // For Path::Differences, each block's differences are stored in fields of
  // at least MinWidth bytes (1, 2 or 4), wider where a difference needs it.
  explicit RecordCollector(Path Which, int MinWidth = 1) : Path_(Which), MinWidth_(MinWidth) {}

  std::vector<PackedRecord> Pack(const std::vector<InputBlock>& Blocks) {
    bool NeedRun = true;
    for (const InputBlock& Block : Blocks) {
      if (Block.GapBefore && !NeedRun) {
        Flush();
        NeedRun = true;
      }
      if (NeedRun) {
        Packer_.StartRun(Block.Samples.empty() ? 0 : Block.Samples[0], !Block.Samples.empty());
        NeedRun = false;
      }
      Add(Block.Samples);
    }
    if (!NeedRun) Flush();
    return Records_;
  }

 private:
  void Add(const std::vector<int32_t>& Samples) {
    if (Path_ == Path::Differences) {
      AddAsDifferences(Samples);
      return;
    }
    if (Path_ == Path::SampleBySample) {
      for (int32_t V : Samples)
        if (Packer_.AddSample(V)) Write();
      return;
    }
    const int32_t* Next = Samples.data();
    int Left = static_cast<int>(Samples.size());
    while (Left > 0) {
      int Used = -1;
      const bool Full = Packer_.AddSamples(Next, Left, Used);
      ASSERT_GT(Used, 0);
      ASSERT_LE(Used, Left);
      if (!Full) {
        ASSERT_EQ(Used, Left);
      }
      if (Full) Write();
      Next += Used;
      Left -= Used;
    }
  }

  // The block's first sample alone, then its differences as a converted
  // block stores them: host-order fields of the narrowest width that holds
  // them all.
  void AddAsDifferences(const std::vector<int32_t>& Samples) {
    if (Samples.empty()) return;
    if (Packer_.AddSample(Samples[0])) Write();
    std::vector<int32_t> Diffs;
    int Width = MinWidth_;
    for (std::size_t I = 1; I < Samples.size(); ++I) {
      const int32_t D = static_cast<int32_t>(static_cast<uint32_t>(Samples[I]) -
                                             static_cast<uint32_t>(Samples[I - 1]));
      Diffs.push_back(D);
      const int Needed = Steim1Packer::DiffSize(D) == 1   ? 1
                         : Steim1Packer::DiffSize(D) == 2 ? 2
                                                          : 4;
      if (Needed > Width) Width = Needed;
    }
    std::vector<uint8_t> Bytes(Diffs.size() * static_cast<std::size_t>(Width));
    for (std::size_t I = 0; I < Diffs.size(); ++I) {
      uint8_t* At = Bytes.data() + I * static_cast<std::size_t>(Width);
      if (Width == 1) {
        const int8_t D = static_cast<int8_t>(Diffs[I]);
        std::memcpy(At, &D, 1);
      } else if (Width == 2) {
        const int16_t D = static_cast<int16_t>(Diffs[I]);
        std::memcpy(At, &D, 2);
      } else {
        std::memcpy(At, &Diffs[I], 4);
      }
    }
    const uint8_t* Next = Bytes.data();
    int Left = static_cast<int>(Diffs.size());
    while (Left > 0) {
      int Used = -1;
      bool Full = false;
      if (Width == 1)
        Full = Packer_.AddDifferences<int8_t>(Next, Left, Used);
      else if (Width == 2)
        Full = Packer_.AddDifferences<int16_t>(Next, Left, Used);
      else
        Full = Packer_.AddDifferences<int32_t>(Next, Left, Used);
      ASSERT_GT(Used, 0);
      ASSERT_LE(Used, Left);
      if (!Full) {
        ASSERT_EQ(Used, Left);
      }
      if (Full) Write();
      Next += static_cast<std::size_t>(Used) * static_cast<std::size_t>(Width);
      Left -= Used;
    }
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
      PackedRecord Record{
          std::vector<uint32_t>(Steim1Packer::kFrameCount * Steim1Packer::kWordsPerFrame),
          Packer_.SampleCount()};
      std::memcpy(Record.Words.data(), Packer_.Frames(), sizeof(Steim1Packer::FrameWords));
      Records_.push_back(std::move(Record));
    }
    Packer_.StartNextRecord();
  }

  Path Path_;
  int MinWidth_;
  Steim1Packer Packer_;
  std::vector<PackedRecord> Records_;
};

void ExpectSameRecords(const std::vector<InputBlock>& Blocks, const char* What) {
  const std::vector<PackedRecord> Rules = RecordCollector(Path::SampleBySample).Pack(Blocks);
  const struct {
    RecordCollector Collector;
    const char* Name;
  } Paths[] = {{RecordCollector(Path::Samples), "samples"},
               {RecordCollector(Path::Differences, 1), "narrowest differences"},
               {RecordCollector(Path::Differences, 2), "differences of 16 bits or more"},
               {RecordCollector(Path::Differences, 4), "differences of 32 bits"}};
  for (auto Each : Paths) {
    const std::vector<PackedRecord> Fast = Each.Collector.Pack(Blocks);
    ASSERT_EQ(Fast.size(), Rules.size()) << What << ", " << Each.Name;
    for (std::size_t R = 0; R < Rules.size(); ++R) {
      ASSERT_EQ(Fast[R].SampleCount, Rules[R].SampleCount)
          << What << ", " << Each.Name << ", record " << R;
      for (std::size_t W = 0; W < Rules[R].Words.size(); ++W)
        ASSERT_EQ(Fast[R].Words[W], Rules[R].Words[W])
            << What << ", " << Each.Name << ", record " << R << ", frame " << W / 16 << ", word "
            << W % 16;
    }
  }
}

// Kinds of difference streams, each stressing other compression codes.
enum class Kind { Quiet, Edges8, Mostly8, Sizes16, Sizes32, Extremes };

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
    case Kind::Sizes16: return Pick(-32768, 32767);
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
  uint32_t Value = K == Kind::Extremes ? static_cast<uint32_t>(INT32_MAX) - 2 : Rng();
  int Made = 0;
  while (Made < TotalSamples) {
    InputBlock Block;
    const int Roll = std::uniform_int_distribution<int>(0, 19)(Rng);
    Block.GapBefore = Roll == 0;
    // Sizes of real blocks (multiples of 1, 2 or 4 up to 1000), some empty.
    const int Count = Roll == 1 ? 0 : std::uniform_int_distribution<int>(1, 1000)(Rng);
    if (Block.GapBefore) Value = Rng();
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
               {Kind::Mostly8, "mostly 8-bit"}, {Kind::Sizes16, "16-bit"},
               {Kind::Sizes32, "32-bit"},       {Kind::Extremes, "extremes"}};
  for (const auto& Each : Kinds)
    for (uint32_t Seed = 1; Seed <= 6; ++Seed)
      ExpectSameRecords(RandomBlocks(Each.K, Seed, 60000), Each.Name);
}

TEST(Steim1FastPath, HandPickedStreams) {
  std::vector<int32_t> Ramp(3000);
  for (std::size_t I = 0; I < Ramp.size(); ++I) Ramp[I] = static_cast<int32_t>(I % 256) - 128;
  std::vector<int32_t> AtMark(2000, INT32_MAX);  // every sample 2147483647
  std::vector<int32_t> Wrap;                     // steps of 127 across the 32-bit wrap-around
  for (uint32_t V = static_cast<uint32_t>(INT32_MAX) - 5000; Wrap.size() < 4000; V += 127)
    Wrap.push_back(static_cast<int32_t>(V));
  // A full record of 8-bit words holds 3 + 62 * 15 = 933 words of 4 samples;
  // a block of 3733 samples ends one sample past the first record boundary.
  std::vector<int32_t> PastBoundary(3733, 5);
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
  for (const auto& C : Cases) ExpectSameRecords(C.Blocks, C.Name);
}

}  // namespace
}  // namespace drumlin
