// Writes a YCF file of one component of a seismometer's recording for the
// msd_plot benchmark and the pictures: 100 samples per second from
// 2024-05-02 00:00:00 for the given hours, made by the test-support writer.
// The signal looks like a station's day: microseismic noise, a few
// earthquakes of different sizes, and single-sample spikes (a glitching
// digitiser) that the quick look must still show.
//
//   ycf_day_file output.YCF Z|N|E hours [gap]
//
// With "gap" the recording breaks for ten minutes from 14:00.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_series.h"
#include "testsupport/base36.h"
#include "testsupport/reference_time.h"
#include "testsupport/ycf_writer.h"

using namespace drumlin;

namespace {

constexpr int kRateHz = 100;

struct Quake {
  double Second;     // of the day, first arrival
  double Amplitude;  // counts at the peak
};
constexpr Quake kQuakes[] = {{3 * 3600 + 17 * 60, 40000},
                             {9 * 3600 + 2 * 60, 180000},
                             {15 * 3600 + 40 * 60, 15000},
                             {19 * 3600 + 55 * 60, 600000},
                             {22 * 3600 + 10 * 60, 60000}};
constexpr double kSpikes[] = {2 * 3600 + 1234.56, 11 * 3600 + 77.7, 17 * 3600 + 3001.23};

std::vector<int32_t> Component(int Seed, long Samples) {
  bench::Series Random(static_cast<uint32_t>(4000 + Seed));
  std::vector<int32_t> Out(static_cast<std::size_t>(Samples));
  // Microseism: two swells near 0.15 and 0.3 Hz whose strength drifts.
  const double Phase = Seed * 1.3;
  for (long I = 0; I < Samples; ++I) {
    const double T = static_cast<double>(I) / kRateHz;
    const double Swell = 1 + 0.5 * std::sin(2 * M_PI * T / 7200 + Phase);
    double V = Swell * (900 * std::sin(2 * M_PI * 0.15 * T + Phase) +
                        400 * std::sin(2 * M_PI * 0.31 * T + 2 * Phase));
    V += Random.Next(120);
    for (const Quake& Q : kQuakes) {
      const double Since = T - Q.Second;
      if (Since < 0 || Since > 1800) continue;
      // P, then S twice as strong 40 s later, each decaying over minutes.
      const double P = Since < 1 ? Since : std::exp(-(Since - 1) / 60);
      const double S = Since < 40   ? 0
                       : Since < 42 ? (Since - 40) / 2
                                    : std::exp(-(Since - 42) / 150);
      const double Shake = 0.35 * P * std::sin(2 * M_PI * 4.0 * T + Seed) +
                           S * std::sin(2 * M_PI * 1.2 * T + 3 * Seed);
      V += Q.Amplitude * Shake * (0.7 + 0.3 * Random.Next(1000) / 1000.0);
    }
    Out[static_cast<std::size_t>(I)] = static_cast<int32_t>(std::lround(V));
  }
  for (const double Second : kSpikes) {
    const long At = std::lround(Second * kRateHz) + Seed;
    if (At < Samples) Out[static_cast<std::size_t>(At)] = Seed % 2 ? 900000 : -900000;
  }
  return Out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: ycf_day_file output.YCF Z|N|E hours [gap]\n");
    return 2;
  }
  const std::string Which = argv[2];
  const long Hours = std::atol(argv[3]);
  const bool Gap = argc == 5 && std::string(argv[4]) == "gap";
  if ((Which != "Z" && Which != "N" && Which != "E") || Hours < 1 || Hours > 240) {
    std::fprintf(stderr, "ycf_day_file: component Z, N or E and 1 to 240 hours\n");
    return 2;
  }
  try {
    const int Seed = Which == "Z" ? 1 : Which == "N" ? 2 : 3;
    const std::vector<int32_t> Samples = Component(Seed, Hours * 3600 * kRateHz);
    const YcfStreamSpec Stream{.SystemId = test::Base36Value("BN01"),
                               .StreamId = test::Base36Value("BN01" + Which + "2"),
                               .RateCode = kRateHz};
    const UsTime Start = test::EncodeUsDate(2024, 5, 2);
    const auto Part = [&](std::size_t From, std::size_t To) {
      const std::vector<int32_t> Piece(Samples.begin() + static_cast<std::ptrdiff_t>(From),
                                       Samples.begin() + static_cast<std::ptrdiff_t>(To));
      return MakeStream(Stream, Start + static_cast<UsTime>(From) * kUsPerSecond / kRateHz, Piece);
    };
    std::vector<YcfBlock> Blocks;
    const std::size_t Cut = 14 * 3600 * kRateHz, Resume = Cut + 600 * kRateHz;
    if (Gap && Samples.size() > Resume) {
      Blocks = Part(0, Cut);
      const std::vector<YcfBlock> After = Part(Resume, Samples.size());
      Blocks.insert(Blocks.end(), After.begin(), After.end());
    } else {
      Blocks = Part(0, Samples.size());
    }
    WriteYcfFile(argv[1], Blocks);
  } catch (const std::exception& Problem) {
    std::fprintf(stderr, "ycf_day_file: %s\n", Problem.what());
    return 1;
  }
  return 0;
}
