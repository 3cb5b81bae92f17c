// Writes the bundled example recording: two minutes of a three-component
// 100 samples-per-second stream from digitiser "DM01" (streams "DM01Z2",
// "DM01N2", "DM01E2"), blocks of the three components interleaved in time
// order as the digitiser writes them. The recording breaks off for 15 s
// after the first 50 s (one gap in every component) and a status block
// follows the first blocks. A local event arrives at 1 min 20 s, so that
// the quiet background packs into 8-bit and the event into 16- and 32-bit
// differences.
//
//   make_ycf_example <output.YCF>
//
// The samples come from integer arithmetic and a fixed pseudo-random
// sequence only, so the file is the same byte for byte on every machine.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "blocks/ycf_block.h"
#include "testsupport/base36.h"
#include "testsupport/reference_time.h"
#include "testsupport/ycf_writer.h"
#include "time/us_time.h"

namespace {

using namespace drumlin;

constexpr int kRateHz = 100;
constexpr int kFirstPartSeconds = 50;
constexpr int kGapSeconds = 15;
constexpr int kTotalSeconds = 120;
constexpr int kEventSecond = 80;

// A fixed xorshift sequence: the same numbers everywhere.
class Noise {
 public:
  explicit Noise(uint32_t Seed) : State_(Seed) {}
  int32_t Next(int32_t Amplitude) {  // in [-Amplitude, Amplitude]
    State_ ^= State_ << 13;
    State_ ^= State_ >> 17;
    State_ ^= State_ << 5;
    return static_cast<int32_t>(State_ % static_cast<uint32_t>(2 * Amplitude + 1)) - Amplitude;
  }

 private:
  uint32_t State_;
};

// One component in counts: a slow microseism plus noise, and from the event
// on a wave train whose amplitude rises fast and decays slowly.
std::vector<int32_t> Component(uint32_t Seed, int32_t EventAmplitude) {
  Noise Random(Seed);
  std::vector<int32_t> Samples(kTotalSeconds * kRateHz);
  int32_t Microseism = 0, Velocity = 40;
  for (std::size_t I = 0; I < Samples.size(); ++I) {
    // Integer oscillator of about 2 s period.
    Velocity -= Microseism / 900;
    Microseism += Velocity;
    int64_t Value = Microseism / 8 + Random.Next(20);
    const int Since = static_cast<int>(I) - kEventSecond * kRateHz;
    if (Since >= 0) {
      const int64_t Envelope = Since < 100 ? EventAmplitude * Since / 100
                                           : EventAmplitude * 2000 / (2000 + 3 * (Since - 100));
      Value += Envelope * Random.Next(1000) / 1000;
    }
    Samples[I] = static_cast<int32_t>(Value);
  }
  return Samples;
}

struct Timed {
  UsTime Start;
  int Order;  // Z, N, E for equal starts
  YcfBlock Block;
};

// Blocks of one stream over the recording, with the gap.
void AddStream(std::vector<Timed>& All, const char* StreamText, int Order,
               const std::vector<int32_t>& Samples, UsTime Start) {
  const YcfStreamSpec Stream{.SystemId = test::Base36Value("DM01"),
                             .StreamId = test::Base36Value(StreamText),
                             .RateCode = kRateHz};
  const auto Add = [&](UsTime From, std::size_t Begin, std::size_t End) {
    const std::vector<int32_t> Part(Samples.begin() + static_cast<std::ptrdiff_t>(Begin),
                                    Samples.begin() + static_cast<std::ptrdiff_t>(End));
    for (const YcfBlock& Block : MakeStream(Stream, From, Part)) {
      All.push_back({BlockStart(Block), Order, Block});
    }
  };
  const std::size_t Cut = kFirstPartSeconds * kRateHz;
  const std::size_t Resume = Cut + kGapSeconds * kRateHz;
  Add(Start, 0, Cut);
  Add(Start + static_cast<UsTime>(Resume) * 1000000 / kRateHz, Resume, Samples.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_ycf_example output.YCF\n");
    return 2;
  }
  try {
    const UsTime Start = test::EncodeUsDate(2024, 5, 1) + test::EncodeUsTime(12, 0, 0, 0);
    std::vector<Timed> All;
    AddStream(All, "DM01Z2", 0, Component(1, 150000), Start);
    AddStream(All, "DM01N2", 1, Component(2, 90000), Start);
    AddStream(All, "DM01E2", 2, Component(3, 70000), Start);
    std::stable_sort(All.begin(), All.end(), [](const Timed& A, const Timed& B) {
      return A.Start != B.Start ? A.Start < B.Start : A.Order < B.Order;
    });
    std::vector<YcfBlock> Blocks;
    for (const Timed& T : All) Blocks.push_back(T.Block);
    // The digitiser's state of health, written after the first round of blocks.
    const uint32_t Day = static_cast<uint32_t>((Start - TimeCodeToUs(0)) / kUsPerDay);
    const YcfBlock Status = MakeStatusBlock(test::Base36Value("DM01"), test::Base36Value("DM01M8"),
                                            MakeTimeCode(Day, 12 * 3600 + 1), 0x20);
    Blocks.insert(Blocks.begin() + std::min<std::ptrdiff_t>(3, std::ssize(Blocks)), Status);
    WriteYcfFile(argv[1], Blocks);
  } catch (const std::exception& Problem) {
    std::fprintf(stderr, "make_ycf_example: %s\n", Problem.what());
    return 1;
  }
  return 0;
}
