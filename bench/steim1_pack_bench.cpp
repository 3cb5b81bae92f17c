// Record packing speed, like for like: DRUMLIN's whole record path against
// libmseed's msr_pack, both making complete 4096-byte Steim-1 records
// (frames, fixed header and blockette 1000, big-endian) from the same
// samples and handing every record on, timed side by side in one run.
//
// Our side is the record file as a conversion drives it: YCF blocks of the
// samples (made by our writer, as a file holds them), one run opened by
// InitHeader, AddBlockSamples for every block, Flush and Finish, the records
// written to /dev/null. libmseed's side gets the same samples as one array
// and writes each record it packs to /dev/null. Prints samples per second
// of each side (median of the rounds) and the time ratio ours / libmseed.
#include <fcntl.h>
#include <libmseed.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_series.h"
#include "records/seed_file.h"
#include "testsupport/base36.h"
#include "testsupport/ycf_writer.h"

using namespace drumlin;

namespace {

constexpr long kSamples = 20'000'000;
constexpr int kRounds = 5;

using bench::Series;

// The three kinds of data of the conversion benchmark, by the width of the
// differences of each block's worth of samples: quiet all 8-bit, mixed 4 of
// 5 stretches 8-bit and 1 of 5 16-bit, noisy a third each of 8, 16 and 32 bits.
struct Kind {
  const char* Name;
  int (*WidthCode)(long Stretch);  // 4, 2 or 1 differences per 4 bytes
};
const Kind kKinds[] = {
    {"quiet", [](long) { return 4; }},
    {"mixed", [](long S) { return S % 5 == 4 ? 2 : 4; }},
    {"noisy", [](long S) { return S % 3 == 0   ? 4
                                  : S % 3 == 1 ? 2
                                               : 1; }},
};

std::vector<int32_t> MakeSamples(const Kind& K) {
  std::vector<int32_t> Samples;
  Samples.reserve(kSamples);
  Series Random(12345);
  int32_t Value = 0;
  for (long Stretch = 0; static_cast<long>(Samples.size()) < kSamples; ++Stretch) {
    const int Code = K.WidthCode(Stretch);
    const int32_t Limit = Code == 4 ? 100 : Code == 2 ? 2000 : 3000000;
    for (int I = 0; I < Code * kMaxRecordCount && static_cast<long>(Samples.size()) < kSamples;
         ++I) {
      Samples.push_back(Value);
      // A step back towards zero far out keeps the series inside 32 bits.
      int32_t Step = Random.Next(Limit);
      if ((Value > 1000000000 && Step > 0) || (Value < -1000000000 && Step < 0)) Step = -Step;
      Value += Step;
    }
  }
  return Samples;
}

// Our record path over the blocks, as one run, into the file Name.
void PackOurs(const std::vector<YcfBlock>& Blocks, const std::string& Name = "/dev/null") {
  TSEEDFile File(Name);
  File.InitHeader(Blocks.front());
  for (const YcfBlock& Block : Blocks) File.AddBlockSamples(Block);
  File.Flush();
  File.Finish();
}

struct Written {
  int Fd;
  int64_t Records = 0;
};

void WriteRecord(char* Record, int Length, void* Data) {
  auto* W = static_cast<Written*>(Data);
  if (write(W->Fd, Record, static_cast<std::size_t>(Length)) != Length) std::abort();
  ++W->Records;
}

// libmseed's packer over the samples; returns the number of records.
int64_t PackLibmseed(std::vector<int32_t>& Samples, int Fd) {
  MSRecord* Msr = msr_init(nullptr);
  std::strcpy(Msr->network, "XX");
  std::strcpy(Msr->station, "BN01");
  std::strcpy(Msr->channel, "HHZ");
  Msr->dataquality = 'D';
  Msr->samprate = 100.0;
  Msr->reclen = 4096;
  Msr->encoding = DE_STEIM1;
  Msr->byteorder = 1;
  Msr->sampletype = 'i';
  Msr->datasamples = Samples.data();
  Msr->numsamples = static_cast<int64_t>(Samples.size());
  Written W{Fd};
  int64_t Packed = 0;
  msr_pack(Msr, WriteRecord, &W, &Packed, 1, 0);
  Msr->datasamples = nullptr;
  msr_free(&Msr);
  if (Packed != static_cast<int64_t>(Samples.size())) std::abort();
  return W.Records;
}

template <typename F>
double Seconds(F&& Run) {
  const auto T0 = std::chrono::steady_clock::now();
  Run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - T0).count();
}

double Median(std::vector<double> Times) {
  std::sort(Times.begin(), Times.end());
  return Times[Times.size() / 2];
}

}  // namespace

int main() {
  const int Null = open("/dev/null", O_WRONLY);
  if (Null < 0) return 1;
  const char* Tmp = std::getenv("TMPDIR");
  const std::string Counted = std::string(Tmp && *Tmp ? Tmp : "/tmp") + "/steim1_pack_bench." +
                              std::to_string(getpid()) + ".msd";
  for (const Kind& K : kKinds) {
    std::vector<int32_t> Samples = MakeSamples(K);
    const std::vector<YcfBlock> Blocks =
        MakeStream({test::Base36Value("BN01"), test::Base36Value("BN01Z2"), 100, 0},
                   TimeCodeToUs(MakeTimeCode(12000, 0)), Samples);
    // One untimed round of each, ours into a file to count its records;
    // then the rounds, alternating which side goes first.
    PackOurs(Blocks, Counted);
    struct stat Written {};
    if (stat(Counted.c_str(), &Written) != 0) return 1;
    std::remove(Counted.c_str());
    const long long OurRecords = static_cast<long long>(Written.st_size) / 4096;
    PackLibmseed(Samples, Null);
    std::vector<double> Ours, Theirs;
    int64_t TheirRecords = 0;
    for (int R = 0; R < kRounds; ++R) {
      auto RunOurs = [&] { Ours.push_back(Seconds([&] { PackOurs(Blocks); })); };
      auto RunTheirs = [&] {
        Theirs.push_back(Seconds([&] { TheirRecords = PackLibmseed(Samples, Null); }));
      };
      if (R % 2 == 0) {
        RunOurs();
        RunTheirs();
      } else {
        RunTheirs();
        RunOurs();
      }
    }
    const double O = Median(Ours), T = Median(Theirs);
    std::printf(
        "Record packing, %-5s %zu blocks: ours %6.1f Msamples/s, libmseed %6.1f Msamples/s, "
        "time ratio ours/libmseed %.2f (records %lld / %lld)\n",
        K.Name, Blocks.size(), kSamples / O / 1e6, kSamples / T / 1e6, O / T, OurRecords,
        static_cast<long long>(TheirRecords));
  }
  close(Null);
  return 0;
}
