// The end-to-end peer of the conversion benchmark: a small YCF to miniSEED
// converter built on libmseed 2 (msr_pack, Steim-1, 4096-byte big-endian
// records). It reads the input in large chunks, decodes every block from
// its big-endian fields, accepts a block as DRUMLIN does (a usable
// compression code, not a status block, at most 250 data records, a seconds
// field of at most 86400), rebuilds the samples from the first value and
// the stored differences, and packs one run per contiguous series of blocks
// (a gap, or another stream or rate following on, closes the run), as
// DRUMLIN's default mode does. The records are libmseed's own: the same
// samples in the same kind of records, not the same bytes.
//
//   ycf_mseed_peer input.YCF output.msd
//
// Prints the number of records and samples written.
#include <libmseed.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = 1024;
constexpr std::size_t kChunkBlocks = 1024;  // 1 MB per read
// Samples collected before libmseed packs the full records among them.
constexpr std::size_t kPackAt = 1 << 16;
// Microseconds from the converter's epoch (1899-12-30) to libmseed's (1970-01-01).
constexpr int64_t kEpochShiftUs = int64_t{25569} * 86400 * 1000000;

uint32_t Be32(const uint8_t* At) {
  return uint32_t{At[0]} << 24 | uint32_t{At[1]} << 16 | uint32_t{At[2]} << 8 | uint32_t{At[3]};
}
int16_t Be16(const uint8_t* At) { return static_cast<int16_t>(At[0] << 8 | At[1]); }

int SampleRate(uint8_t Code) {
  switch (Code) {
    case 171: return 400;
    case 174: return 500;
    case 176: return 1000;
    case 179: return 2000;
    case 181: return 4000;
    default: return Code;
  }
}

std::string Base36(uint32_t Id) {
  if (Id & 0x80000000u) Id &= (Id & 0x40000000u) ? 0x1FFFFFu : 0x3FFFFFFu;
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string Text;
  do {
    Text.insert(Text.begin(), kDigits[Id % 36]);
    Id /= 36;
  } while (Id != 0);
  return Text;
}

struct Counts {
  int64_t Records = 0;
  int64_t Samples = 0;
  std::FILE* Out = nullptr;
  bool WriteFailed = false;
};

void WriteRecord(char* Record, int Length, void* Data) {
  auto* C = static_cast<Counts*>(Data);
  if (std::fwrite(Record, static_cast<std::size_t>(Length), 1, C->Out) != 1) C->WriteFailed = true;
  ++C->Records;
}

// One run: the record template and the samples not yet packed.
class Run {
 public:
  explicit Run(Counts& C) : Counts_(C), Msr_(msr_init(nullptr)) {
    Msr_->reclen = 4096;
    Msr_->encoding = DE_STEIM1;
    Msr_->byteorder = 1;
    Msr_->sampletype = 'i';
    Msr_->dataquality = 'D';
    Samples_.reserve(kPackAt + 1000);
  }
  ~Run() {
    Msr_->datasamples = nullptr;
    msr_free(&Msr_);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  bool Open() const { return Open_; }
  uint32_t System() const { return System_; }
  uint32_t Stream() const { return Stream_; }
  int Rate() const { return Rate_; }

  void Start(const uint8_t* Block, int64_t StartUs, int Rate) {
    System_ = Be32(Block);
    Stream_ = Be32(Block + 4);
    Rate_ = Rate;
    StartUs_ = StartUs;
    Packed_ = 0;
    const std::string Id = Base36(Stream_);
    const std::string Station = Id.size() > 2 ? Id.substr(0, Id.size() - 2) : "";
    std::snprintf(Msr_->station, sizeof Msr_->station, "%.5s", Station.c_str());
    const char Band = Rate >= 80 ? 'H' : Rate >= 10 ? 'B' : Rate >= 2 ? 'M' : 'L';
    const char Component = Id.size() >= 2 ? Id[Id.size() - 2] : '?';
    std::snprintf(Msr_->channel, sizeof Msr_->channel, "%cH%c", Band, Component);
    Msr_->network[0] = '\0';
    Msr_->location[0] = '\0';
    Msr_->samprate = Rate;
    Open_ = true;
  }

  void Add(int32_t Value) { Samples_.push_back(Value); }

  // Packs the full records among the collected samples (all of them with
  // Flush) and keeps the rest for the next call.
  void Pack(bool Flush) {
    if (Samples_.empty()) {
      if (Flush) Open_ = false;
      return;
    }
    Msr_->starttime = (StartUs_ - kEpochShiftUs) + Packed_ * 1000000 / Rate_;
    Msr_->datasamples = Samples_.data();
    Msr_->numsamples = static_cast<int64_t>(Samples_.size());
    int64_t Done = 0;
    if (msr_pack(Msr_, WriteRecord, &Counts_, &Done, Flush ? 1 : 0, 0) < 0)
      Counts_.WriteFailed = true;
    Counts_.Samples += Done;
    Packed_ += Done;
    Samples_.erase(Samples_.begin(), Samples_.begin() + Done);
    if (Flush) {
      Samples_.clear();
      Open_ = false;
    }
  }
  std::size_t Pending() const { return Samples_.size(); }

 private:
  Counts& Counts_;
  MSRecord* Msr_;
  std::vector<int32_t> Samples_;
  bool Open_ = false;
  uint32_t System_ = 0, Stream_ = 0;
  int Rate_ = 0;
  int64_t StartUs_ = 0;  // the run's first sample, microseconds since 1899-12-30
  int64_t Packed_ = 0;   // samples of the run packed so far
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ycf_mseed_peer input.YCF output.msd\n");
    return 2;
  }
  std::FILE* In = std::fopen(argv[1], "rb");
  if (!In) {
    std::perror(argv[1]);
    return 1;
  }
  Counts C;
  C.Out = std::fopen(argv[2], "wb");
  if (!C.Out) {
    std::perror(argv[2]);
    return 1;
  }
  std::vector<uint8_t> Chunk(kChunkBlocks * kBlockSize);
  Run R(C);
  int64_t Expected = 0;  // the start expected of the next block; 0 before the first
  int64_t Invalid = 0, Gaps = 0;
  std::size_t Got;
  while ((Got = std::fread(Chunk.data(), kBlockSize, kChunkBlocks, In)) > 0) {
    for (std::size_t B = 0; B < Got; ++B) {
      const uint8_t* Block = Chunk.data() + B * kBlockSize;
      const uint32_t TimeCode = Be32(Block + 8);
      const uint8_t RateCode = Block[13];
      const int Code = Block[14] & 7;
      const int Fraction = Block[14] >> 4;
      const int Records = Block[15];
      if ((Code != 1 && Code != 2 && Code != 4) || RateCode == 0 || Records > 250 ||
          (TimeCode & 0x1FFFF) > 86400) {
        ++Invalid;
        continue;
      }
      const int Rate = SampleRate(RateCode);
      const int64_t Start =
          ((int64_t{TimeCode >> 17} + 32829) * 86400 + (TimeCode & 0x1FFFF)) * 1000000 +
          Fraction * int64_t{1000000} * (Rate == 400 ? 50 : 250) / Rate;
      const int Count = Code * Records;
      if (Expected == 0) Expected = Start;
      if (Start != Expected) {
        ++Gaps;
        R.Pack(true);
      } else if (R.Open() &&
                 (Be32(Block) != R.System() || Be32(Block + 4) != R.Stream() || Rate != R.Rate())) {
        R.Pack(true);
      }
      Expected = Start + int64_t{Count} * 1000000 / Rate;
      if (!R.Open()) R.Start(Block, Start, Rate);
      if (Count == 0) continue;
      // Sample 0 is the first value; sample k adds difference k.
      uint32_t Value = Be32(Block + 16);
      R.Add(static_cast<int32_t>(Value));
      const uint8_t* Data = Block + 20;
      for (int K = 1; K < Count; ++K) {
        const int32_t Diff = Code == 4   ? static_cast<int8_t>(Data[K])
                             : Code == 2 ? Be16(Data + 2 * K)
                                         : static_cast<int32_t>(Be32(Data + 4 * K));
        Value += static_cast<uint32_t>(Diff);
        R.Add(static_cast<int32_t>(Value));
      }
      if (R.Pending() >= kPackAt) R.Pack(false);
    }
  }
  R.Pack(true);
  std::fclose(In);
  if (std::fclose(C.Out) != 0 || C.WriteFailed) {
    std::fprintf(stderr, "ycf_mseed_peer: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%lld records, %lld samples, %lld invalid blocks, %lld gaps\n",
              static_cast<long long>(C.Records), static_cast<long long>(C.Samples),
              static_cast<long long>(Invalid), static_cast<long long>(Gaps));
  return 0;
}
