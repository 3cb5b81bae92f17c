// Writes a YCF file of about the given size in megabytes for the conversion
// benchmark: several 100 Hz streams one after the other, each a quiet signal
// of small differences with occasional larger steps, in blocks made by the
// test-support writer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "testsupport/ycf_writer.h"

using namespace drumlin;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ycf_bench_file output.YCF megabytes\n");
    return 2;
  }
  const long Megabytes = std::atol(argv[2]);
  constexpr int kStreams = 4;
  constexpr int kChunkSamples = 100000;  // 1000 s at 100 Hz
  const long BytesPerStream = Megabytes * 1024L * 1024L / kStreams;
  std::FILE* Out = std::fopen(argv[1], "wb");
  if (!Out) {
    std::perror(argv[1]);
    return 1;
  }
  uint32_t Seed = 12345;
  std::vector<int32_t> Samples(kChunkSamples);
  for (int S = 0; S < kStreams; ++S) {
    YcfStreamSpec Stream{
        .SystemId = 7, .StreamId = 0x1000u + static_cast<uint32_t>(S), .RateCode = 100};
    UsTime Start = TimeCodeToUs(MakeTimeCode(12000, 0));
    long Written = 0;
    int32_t Value = 0;
    while (Written < BytesPerStream) {
      for (int32_t& V : Samples) {
        Seed = Seed * 1664525u + 1013904223u;
        int32_t Step = static_cast<int32_t>((Seed >> 24) & 0x3F) - 32;
        if ((Seed & 0xFFF) == 0) Step *= 300;  // a rare 16-bit step
        Value += Step;
        V = Value;
      }
      std::vector<YcfBlock> Blocks = MakeStream(Stream, Start, Samples);
      for (const YcfBlock& B : Blocks) {
        if (std::fwrite(B.Bytes, sizeof B.Bytes, 1, Out) != 1) return 1;
        Written += static_cast<long>(sizeof B.Bytes);
      }
      Start += static_cast<UsTime>(kChunkSamples) * 10000;
    }
  }
  return std::fclose(Out) == 0 ? 0 : 1;
}
