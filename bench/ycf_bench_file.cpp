// Writes a YCF file of about the given size in megabytes for the conversion
// benchmarks: 100 samples per second, full blocks following on without gaps,
// made by the test-support writer from a fixed pseudo-random series.
//
//   ycf_bench_file output.YCF megabytes kind [streams]
//
// Kinds of data, by the width of the differences each block stores:
//   quiet   every block 8-bit differences
//   mixed   4 of 5 blocks 8-bit, 1 of 5 16-bit
//   noisy   a third each of 8-, 16- and 32-bit blocks
// With streams > 1 the blocks of that many streams of one digitiser (the
// components Z, N, E, ...) are interleaved in time order, as a multi-component
// digitiser writes them; with 1 (the default) the file holds one stream.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_series.h"
#include "testsupport/base36.h"
#include "testsupport/ycf_writer.h"

using namespace drumlin;

namespace {

using bench::Series;

// The compression code of block number Index of a stream.
uint8_t CompressionOf(const std::string& Kind, long Index) {
  if (Kind == "quiet") return 4;
  if (Kind == "mixed") return Index % 5 == 4 ? 2 : 4;
  return Index % 3 == 0 ? 4 : Index % 3 == 1 ? 2 : 1;  // noisy
}

// Differences that need the width of the compression code (and many that
// would fit a narrower one, as in a real recording).
int32_t DifferenceFor(uint8_t Code, Series& Random) {
  switch (Code) {
    case 4: return Random.Next(100);
    case 2: return Random.Next(2000);
    default: return Random.Next(3000000);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr,
                 "usage: ycf_bench_file output.YCF megabytes quiet|mixed|noisy [streams]\n");
    return 2;
  }
  const long Megabytes = std::atol(argv[2]);
  const std::string Kind = argv[3];
  const int Streams = argc == 5 ? std::atoi(argv[4]) : 1;
  if (Megabytes <= 0 || (Kind != "quiet" && Kind != "mixed" && Kind != "noisy") || Streams < 1 ||
      Streams > 9) {
    std::fprintf(stderr, "ycf_bench_file: bad size, kind or stream count\n");
    return 2;
  }
  std::FILE* Out = std::fopen(argv[1], "wb");
  if (!Out) {
    std::perror(argv[1]);
    return 1;
  }
  const long Blocks = Megabytes * 1024;
  static constexpr const char* kComponents[] = {"Z", "N", "E", "1", "2", "3", "4", "5", "6"};
  struct StreamState {
    YcfHeaderSpec Header;
    UsTime Next;
    int32_t Value = 0;
    long Made = 0;
  };
  std::vector<StreamState> State(static_cast<std::size_t>(Streams));
  for (int S = 0; S < Streams; ++S) {
    YcfHeaderSpec& H = State[static_cast<std::size_t>(S)].Header;
    H.SystemId = test::Base36Value("BN01");
    H.StreamId = test::Base36Value(std::string("BN01") + kComponents[S] + "2");
    H.RateCode = 100;
    State[static_cast<std::size_t>(S)].Next = TimeCodeToUs(MakeTimeCode(12000, 0));
  }
  Series Random(12345);
  std::vector<int32_t> Samples;
  for (long B = 0; B < Blocks; ++B) {
    // The stream whose next block starts first (the lowest on a tie).
    std::size_t Pick = 0;
    for (std::size_t S = 1; S < State.size(); ++S)
      if (State[S].Next < State[Pick].Next) Pick = S;
    StreamState& S = State[Pick];
    S.Header.Compression = CompressionOf(Kind, S.Made);
    Samples.assign(std::size_t{S.Header.Compression} * kMaxRecordCount, 0);
    for (int32_t& V : Samples) {
      V = S.Value;
      // A step back towards zero far out keeps the series inside 32 bits.
      int32_t Step = DifferenceFor(S.Header.Compression, Random);
      if ((S.Value > 1000000000 && Step > 0) || (S.Value < -1000000000 && Step < 0)) Step = -Step;
      S.Value += Step;
    }
    S.Value = Samples.back();
    SetBlockStart(S.Header, S.Next);
    const YcfBlock Block = MakeDataBlock(S.Header, Samples);
    if (std::fwrite(Block.Bytes, sizeof Block.Bytes, 1, Out) != 1) return 1;
    S.Next += static_cast<UsTime>(Samples.size()) * kUsPerSecond / 100;
    ++S.Made;
  }
  return std::fclose(Out) == 0 ? 0 : 1;
}
