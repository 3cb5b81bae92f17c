// Steim-1 packing speed: DRUMLIN's packer against libmseed's msr_pack
// (encoding Steim-1, 4096-byte records) on the same sample streams, timed
// side by side in one run. Prints samples per second of each and the ratio
// of times (ours / libmseed).
#include <libmseed.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "records/steim1_packer.h"

using drumlin::Steim1Packer;

namespace {

constexpr int kSamples = 20'000'000;
constexpr int kRounds = 5;

// Differences drawn from [-Half, Half) by a fixed linear congruential series.
std::vector<int32_t> MakeStream(int Kind) {
  std::vector<int32_t> Samples(kSamples);
  uint32_t Seed = 2024u + static_cast<uint32_t>(Kind);
  int32_t Value = 0;
  for (int32_t& V : Samples) {
    Seed = Seed * 1664525u + 1013904223u;
    int32_t Diff;
    if (Kind == 0) {
      Diff = static_cast<int32_t>((Seed >> 24) & 0xFF) - 128;  // 8-bit
    } else if (Kind == 1) {
      const uint32_t Pick = Seed & 3;  // mixed 8, 16 and 32 bits
      Diff = Pick < 2    ? static_cast<int32_t>((Seed >> 24) & 0xFF) - 128
             : Pick == 2 ? static_cast<int32_t>((Seed >> 16) & 0xFFFF) - 32768
                         : static_cast<int32_t>(Seed ^ 0x5A5A5A5Au);
    } else {
      Diff = static_cast<int32_t>(Seed | 0x40000000u);  // large 32-bit jumps
    }
    Value = static_cast<int32_t>(static_cast<uint32_t>(Value) + static_cast<uint32_t>(Diff));
    V = Value;
  }
  return Samples;
}

volatile uint32_t Sink = 0;

int64_t PackOurs(const std::vector<int32_t>& Samples) {
  Steim1Packer Packer;
  int64_t Records = 0;
  auto Emit = [&] {
    Packer.CloseRecord();
    Sink = Sink + Packer.Frames()[1][3];
    ++Records;
    Packer.StartNextRecord();
  };
  Packer.StartRun(Samples[0], true);
  // The way the record file feeds a block: its first sample, then its
  // stored differences (here as 32-bit fields, 1000 samples per block).
  std::vector<int32_t> Diffs(Samples.size());
  for (std::size_t I = 1; I < Samples.size(); ++I)
    Diffs[I] = static_cast<int32_t>(static_cast<uint32_t>(Samples[I]) -
                                    static_cast<uint32_t>(Samples[I - 1]));
  for (std::size_t At = 0; At < Samples.size(); At += 1000) {
    if (Packer.AddSample(Samples[At])) Emit();
    const auto* Next = reinterpret_cast<const uint8_t*>(Diffs.data() + At + 1);
    int Left = static_cast<int>(std::min<std::size_t>(1000, Samples.size() - At)) - 1;
    while (Left > 0) {
      int Used = 0;
      if (Packer.AddDifferences<int32_t>(Next, Left, Used)) Emit();
      Next += 4 * static_cast<std::size_t>(Used);
      Left -= Used;
    }
  }
  while (Packer.DiffCount() > 0)
    if (Packer.PackOneQueued()) Emit();
  if (Packer.SampleCount() > 0) Emit();
  return Records;
}

void CountRecord(char* Record, int, void* Count) {
  Sink = Sink + static_cast<uint8_t>(Record[100]);
  ++*static_cast<int64_t*>(Count);
}

int64_t PackLibmseed(std::vector<int32_t>& Samples) {
  MSRecord* Msr = msr_init(nullptr);
  std::strcpy(Msr->network, "XX");
  std::strcpy(Msr->station, "BENCH");
  std::strcpy(Msr->channel, "HHZ");
  Msr->samprate = 100.0;
  Msr->reclen = 4096;
  Msr->encoding = DE_STEIM1;
  Msr->byteorder = 1;
  Msr->sampletype = 'i';
  Msr->datasamples = Samples.data();
  Msr->numsamples = static_cast<int64_t>(Samples.size());
  int64_t Records = 0;
  int64_t Packed = 0;
  msr_pack(Msr, CountRecord, &Records, &Packed, 1, 0);
  Msr->datasamples = nullptr;
  msr_free(&Msr);
  return Records;
}

template <typename F>
double Seconds(F&& Run) {
  const auto T0 = std::chrono::steady_clock::now();
  Run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - T0).count();
}

}  // namespace

int main() {
  const char* Names[] = {"quiet (8-bit differences)", "mixed (8/16/32-bit)", "large 32-bit jumps"};
  for (int Kind = 0; Kind < 3; ++Kind) {
    std::vector<int32_t> Samples = MakeStream(Kind);
    double Ours = 1e30, Theirs = 1e30;
    int64_t OurRecords = 0, TheirRecords = 0;
    // Alternate the two packers and keep each one's best round.
    for (int R = 0; R < kRounds; ++R) {
      double T = Seconds([&] { OurRecords = PackOurs(Samples); });
      if (T < Ours) Ours = T;
      T = Seconds([&] { TheirRecords = PackLibmseed(Samples); });
      if (T < Theirs) Theirs = T;
    }
    std::printf(
        "Steim-1 %-27s ours %7.1f Msamples/s  libmseed %7.1f Msamples/s  "
        "time ratio ours/libmseed %.2f  (records %lld / %lld)\n",
        Names[Kind], kSamples / Ours / 1e6, kSamples / Theirs / 1e6, Ours / Theirs,
        static_cast<long long>(OurRecords), static_cast<long long>(TheirRecords));
  }
  return 0;
}
