#include "records/steim1_packer.h"

#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "blocks/byte_order.h"

namespace drumlin {

namespace {

#define DRUMLIN_HOT __attribute__((always_inline)) inline

// Two's-complement wrap-around arithmetic on 32-bit sample values.
DRUMLIN_HOT int32_t WrapAdd(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) + static_cast<uint32_t>(B));
}
DRUMLIN_HOT int32_t WrapSub(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) - static_cast<uint32_t>(B));
}

DRUMLIN_HOT int SizeClass(int32_t Diff) {
  if (Diff >= -128 && Diff <= 127) return 1;
  if (Diff >= -32768 && Diff <= 32767) return 2;
  return 3;
}

// The packing rules of the header, for the Count oldest queued differences
// of the given size classes: how many differences the next word takes (1,
// 2 or 4), or 0 while they must wait.
constexpr int WordTake(const int* Sizes, int Count) {
  if (Count < 1) return 0;
  if (Sizes[0] == 3) return 1;  // rule 1
  if (Count < 2) return 0;
  if (Sizes[1] == 3) return 1;                   // rule 2
  if (Sizes[0] == 2 || Sizes[1] == 2) return 2;  // rule 3
  if (Count < 4) return 0;
  if (Sizes[2] > 1 || Sizes[3] > 1) return 2;  // rule 4
  return 4;                                    // rule 5
}

constexpr uint32_t CodeOfTake(int Take) {
  return Take == 1   ? Steim1Packer::kCodeOne32
         : Take == 2 ? Steim1Packer::kCodeTwo16
                     : Steim1Packer::kCodeFour8;
}

// What the rules make of the next four differences when the queue is empty:
// the word takes Take of them, and is chosen once Need of them have arrived
// (the word of rule 2 or 4 is chosen with more differences queued than it
// takes). Indexed by the size classes less one, the first in the low digit.
struct WordChoice {
  uint8_t Take;
  uint8_t Need;
};

constexpr std::array<WordChoice, 81> MakeWordChoices() {
  std::array<WordChoice, 81> Choices{};
  for (int Index = 0; Index < 81; ++Index) {
    const int Sizes[4] = {Index % 3 + 1, Index / 3 % 3 + 1, Index / 9 % 3 + 1, Index / 27 + 1};
    for (int Need = 1; Need <= 4; ++Need)
      if (const int Take = WordTake(Sizes, Need); Take > 0) {
        Choices[static_cast<std::size_t>(Index)] = {static_cast<uint8_t>(Take),
                                                    static_cast<uint8_t>(Need)};
        break;
      }
  }
  return Choices;
}

constexpr std::array<WordChoice, 81> kWordChoices = MakeWordChoices();
static_assert(kWordChoices[0].Take == 4 && kWordChoices[0].Need == 4, "four of 8 bits");
static_assert(kWordChoices[2].Take == 1 && kWordChoices[2].Need == 1, "32 bits first");
static_assert(kWordChoices[6].Take == 1 && kWordChoices[6].Need == 2, "32 bits second");
static_assert(kWordChoices[9].Take == 2 && kWordChoices[9].Need == 4, "8 8 16 8");

// The Index-th big-endian difference field of Data, sign-extended.
template <typename Field>
DRUMLIN_HOT int32_t LoadDiff(const uint8_t* Data, int Index) {
  return LoadBeSigned<Field>(Data + sizeof(Field) * static_cast<std::size_t>(Index));
}

// The word of Take differences from Data[At] on, oldest in the top bits.
template <typename Field>
DRUMLIN_HOT uint32_t MakeWord(const uint8_t* Data, int At, int Take) {
  const auto D = [&](int K) { return static_cast<uint32_t>(LoadDiff<Field>(Data, At + K)); };
  if (Take == 1) return D(0);
  if (Take == 2) return (D(0) & 0xFFFFu) << 16 | (D(1) & 0xFFFFu);
  return (D(0) & 0xFFu) << 24 | (D(1) & 0xFFu) << 16 | (D(2) & 0xFFu) << 8 | (D(3) & 0xFFu);
}

// Sum of Count signed bytes. Each byte with its sign bit flipped is its
// value plus 128, so whole vectors of bytes are summed as unsigned bytes
// and 128 per byte taken off at the end.
DRUMLIN_HOT int32_t SumOfBytes(const uint8_t* Bytes, int Count) {
  int K = 0;
  int64_t Unsigned = 0;
#if defined(__SSE2__)
  const __m128i SignBits = _mm_set1_epi8(static_cast<char>(0x80));
  __m128i Totals = _mm_setzero_si128();
  for (; K + 16 <= Count; K += 16) {
    const __m128i Chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Bytes + K));
    Totals =
        _mm_add_epi64(Totals, _mm_sad_epu8(_mm_xor_si128(Chunk, SignBits), _mm_setzero_si128()));
  }
  Unsigned = _mm_cvtsi128_si64(Totals) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(Totals, Totals));
#endif
  for (; K < Count; ++K) Unsigned += Bytes[K] ^ 0x80u;
  return static_cast<int32_t>(Unsigned - 128 * static_cast<int64_t>(Count));
}

// Whether the four big-endian 16-bit fields stored from At on all fit 8
// bits: adding 128 to each (within its own 16 bits) leaves its high byte
// clear.
DRUMLIN_HOT bool FourFit8Bits(const uint8_t* At) {
  uint64_t Four;
  std::memcpy(&Four, At, sizeof Four);
  // Each field in host order, in its own place.
  if constexpr (!kHostIsBigEndian)
    Four = (Four & 0x00FF00FF00FF00FFu) << 8 | (Four >> 8 & 0x00FF00FF00FF00FFu);
  const uint64_t Shifted =
      ((Four & 0x7FFF7FFF7FFF7FFFu) + 0x0080008000800080u) ^ (Four & 0x8000800080008000u);
  return (Shifted & 0xFF00FF00FF00FF00u) == 0;
}

}  // namespace

int Steim1Packer::DiffSize(int32_t Diff) { return SizeClass(Diff); }

void Steim1Packer::ClearFrames() {
  std::memset(Frames_, 0, sizeof Frames_);
  std::memset(Control_, 0, sizeof Control_);
  FrameIndex_ = 0;
  WordIndex_ = 2;
  SampleCount_ = 0;
}

void Steim1Packer::StartRun(int32_t FirstValue, bool FirstKnown) {
  ClearFrames();
  std::memset(Diffs_, 0, sizeof Diffs_);
  std::memset(DiffSizes_, 0, sizeof DiffSizes_);
  DiffCount_ = 0;
  LastSample_ = 0;
  SampleSum_ = 0;
  X0Known_ = FirstKnown;
  Frames_[0][1] = BigEndian32(static_cast<uint32_t>(FirstKnown ? FirstValue : kX0Mark));
}

void Steim1Packer::StartNextRecord() {
  ClearFrames();
  Frames_[0][1] = BigEndian32(static_cast<uint32_t>(kX0Mark));
  X0Known_ = false;
}

uint32_t Steim1Packer::Word(int F, int W) const {
  return W == 0 ? Control_[F] : BigEndian32(Frames_[F][W]);
}

void Steim1Packer::CloseRecord() {
  Frames_[0][2] = BigEndian32(static_cast<uint32_t>(SampleSum_));
  for (int F = 0; F <= FrameIndex_; ++F) Frames_[F][0] = BigEndian32(Control_[F]);
}

// The oldest queued difference opens a record whose first sample is not yet
// known: it becomes that sample's value, which is also the record's X0.
DRUMLIN_HOT void Steim1Packer::ApplyX0Rule() {
  if (X0Known_ || DiffCount_ == 0) return;
  const int32_t First = WrapAdd(SampleSum_, Diffs_[0]);
  Frames_[0][1] = BigEndian32(static_cast<uint32_t>(First));
  X0Known_ = true;
  Diffs_[0] = First;
  DiffSizes_[0] = SizeClass(First);
  SampleSum_ = 0;
}

// Takes the Count oldest queued differences out as one word.
DRUMLIN_HOT uint32_t Steim1Packer::PackQueued(int Count) {
  uint32_t Word = 0;
  const auto D = [this](int K) { return static_cast<uint32_t>(Diffs_[K]); };
  if (Count == 1)
    Word = D(0);
  else if (Count == 2)
    Word = (D(0) & 0xFFFFu) << 16 | (D(1) & 0xFFFFu);
  else
    Word = (D(0) & 0xFFu) << 24 | (D(1) & 0xFFu) << 16 | (D(2) & 0xFFu) << 8 | (D(3) & 0xFFu);
  for (int K = 0; K < Count; ++K) SampleSum_ = WrapAdd(SampleSum_, Diffs_[K]);
  DiffCount_ -= Count;
  SampleCount_ += Count;
  for (int K = 0; K < DiffCount_; ++K) {
    Diffs_[K] = Diffs_[K + Count];
    DiffSizes_[K] = DiffSizes_[K + Count];
  }
  return Word;
}

DRUMLIN_HOT bool Steim1Packer::PutWord(uint32_t Word, uint32_t Code) {
  if (WordIndex_ < kWordsPerFrame - 1) {
    ++WordIndex_;
  } else {
    ++FrameIndex_;
    WordIndex_ = 1;
  }
  Frames_[FrameIndex_][WordIndex_] = BigEndian32(Word);
  Control_[FrameIndex_] |= (Code & 3u) << (2 * (kWordsPerFrame - 1 - WordIndex_));
  return FrameIndex_ == kFrameCount - 1 && WordIndex_ == kWordsPerFrame - 1;
}

DRUMLIN_HOT bool Steim1Packer::Step(int32_t Diff) {
  Diffs_[DiffCount_] = Diff;
  DiffSizes_[DiffCount_] = SizeClass(Diff);
  ++DiffCount_;
  LastSample_ = WrapAdd(LastSample_, Diff);
  ApplyX0Rule();
  const int Take = WordTake(DiffSizes_, DiffCount_);
  return Take > 0 && PutWord(PackQueued(Take), CodeOfTake(Take));
}

bool Steim1Packer::AddSample(int32_t Value) { return Step(WrapSub(Value, LastSample_)); }

bool Steim1Packer::PackOneQueued() {
  ApplyX0Rule();
  return PutWord(PackQueued(1), kCodeOne32);
}

// Packs words of four 8-bit differences from Data[Next] on, exactly as
// PutWord would one by one: as many leading groups of four differences that
// all fit 8 bits (every group, for 8-bit fields) as the record has room for,
// frame by frame, each word the four differences' low bytes in their order
// under control code 01. Next moves past what was packed. True when a word
// filled the record.
template <typename Field>
DRUMLIN_HOT bool Steim1Packer::PutFour8Words(const uint8_t* Data, int Count, int& Next) {
  constexpr int kDataWords = kWordsPerFrame - 1;
  int Frame = FrameIndex_;
  int Slot = WordIndex_;
  const int Room = (kFrameCount - 1 - Frame) * kDataWords + (kDataWords - Slot);
  int Words = (Count - Next) / 4 < Room ? (Count - Next) / 4 : Room;
  if constexpr (sizeof(Field) > 1) {
    for (int W = 0; W < Words; ++W) {
      bool Fits = true;
      if constexpr (sizeof(Field) == 2) {
        Fits = FourFit8Bits(Data + 2 * static_cast<std::size_t>(Next + 4 * W));
      } else {
        for (int K = 0; K < 4; ++K) Fits &= SizeClass(LoadDiff<Field>(Data, Next + 4 * W + K)) == 1;
      }
      if (!Fits) {
        Words = W;
        break;
      }
    }
  }
  if (Words <= 0) return false;

  int32_t Sum = 0;
  if constexpr (sizeof(Field) == 1)
    Sum = SumOfBytes(Data + Next, 4 * Words);
  else
    for (int K = 0; K < 4 * Words; ++K) Sum = WrapAdd(Sum, LoadDiff<Field>(Data, Next + K));

  int At = Next;  // the next difference to place
  for (int Left = Words; Left > 0;) {
    if (Slot == kDataWords) {
      ++Frame;
      Slot = 0;
    }
    const int Take = Left < kDataWords - Slot ? Left : kDataWords - Slot;
    uint32_t* Out = Frames_[Frame] + Slot + 1;
    if constexpr (sizeof(Field) == 1) {
      // The stored bytes are the words, in the order they stand in the file.
      std::memcpy(Out, Data + At, 4 * static_cast<std::size_t>(Take));
      At += 4 * Take;
    } else {
      for (int K = 0; K < Take; ++K, At += 4) Out[K] = BigEndian32(MakeWord<Field>(Data, At, 4));
    }
    // Control code 01 in the 2-bit fields of slots Slot+1 .. Slot+Take; slot
    // S sits at bits 2 * (15 - S).
    const uint32_t Below = (1u << (2 * (kDataWords - Slot))) - 1u;
    const uint32_t Past = (1u << (2 * (kDataWords - Slot - Take))) - 1u;
    Control_[Frame] |= 0x55555555u & Below & ~Past;
    Slot += Take;
    Left -= Take;
  }

  FrameIndex_ = Frame;
  WordIndex_ = Slot;
  SampleSum_ = WrapAdd(SampleSum_, Sum);
  LastSample_ = WrapAdd(LastSample_, Sum);
  SampleCount_ += 4 * Words;
  Next += 4 * Words;
  return Frame == kFrameCount - 1 && Slot == kWordsPerFrame - 1;
}

// The words the rules make, group by group, straight from the stored
// differences. The rules choose a word once enough differences have arrived
// (its Need) and pack at most one word per arrival, so a word may be packed
// some arrivals after its last difference came in; the differences that
// have arrived and are not yet packed then stand in the queue. Next is the
// first difference not yet arrived; on return the queue holds exactly what
// the rules leave there after the last arrival taken.
template <typename Field>
bool Steim1Packer::PackStored(const uint8_t* Data, int Count, int& Next) {
  int Start = Next;            // first difference not yet packed
  int LastArrival = Next - 1;  // the arrival at which the last word was packed
  bool Full = false;
  while (Start < Count) {
    int Index = 0;
    if constexpr (sizeof(Field) == 1) {
      Index = 0;  // every difference fits 8 bits
    } else {
      for (int K = 3; K >= 0; --K)
        Index =
            Index * 3 + (Start + K < Count ? SizeClass(LoadDiff<Field>(Data, Start + K)) - 1 : 0);
    }
    const WordChoice Choice = kWordChoices[static_cast<std::size_t>(Index)];
    if (Start + Choice.Need > Count) break;  // too few left to choose
    const int Chosen = Start + Choice.Need - 1;
    const int Arrival = Chosen > LastArrival ? Chosen : LastArrival + 1;
    if (Arrival >= Count) break;  // the word waits for the next arrival
    if (Choice.Take == 4 && Arrival == Chosen) {
      // A run of words of four 8-bit differences, each packed as its
      // fourth difference arrives.
      Full = PutFour8Words<Field>(Data, Count, Start);
      LastArrival = Start - 1;
      if (Full) break;
      continue;
    }
    const uint32_t Word = MakeWord<Field>(Data, Start, Choice.Take);
    for (int K = 0; K < Choice.Take; ++K) {
      const int32_t D = LoadDiff<Field>(Data, Start + K);
      SampleSum_ = WrapAdd(SampleSum_, D);
      LastSample_ = WrapAdd(LastSample_, D);
    }
    SampleCount_ += Choice.Take;
    Start += Choice.Take;
    LastArrival = Arrival;
    if (PutWord(Word, CodeOfTake(Choice.Take))) {
      Full = true;
      break;
    }
  }
  // What has arrived and is not packed waits in the queue (at most three
  // differences after a packed word, four when none could be chosen).
  const int Arrived = Full ? LastArrival + 1 : Count;
  for (int K = Start; K < Arrived; ++K) {
    const int32_t D = LoadDiff<Field>(Data, K);
    Diffs_[DiffCount_] = D;
    DiffSizes_[DiffCount_] = SizeClass(D);
    ++DiffCount_;
    LastSample_ = WrapAdd(LastSample_, D);
  }
  Next = Arrived;
  return Full;
}

template <typename Field>
bool Steim1Packer::AddDifferences(const uint8_t* Data, int Count, int& Used) {
  int Next = 0;
  while (Next < Count) {
    bool Full = false;
    if (DiffCount_ == 0 && X0Known_) {
      Full = PackStored<Field>(Data, Count, Next);
    } else {
      Full = Step(LoadDiff<Field>(Data, Next));
      ++Next;
    }
    if (Full) {
      Used = Next;
      return true;
    }
  }
  Used = Count;
  return false;
}

template bool Steim1Packer::AddDifferences<int8_t>(const uint8_t*, int, int&);
template bool Steim1Packer::AddDifferences<int16_t>(const uint8_t*, int, int&);
template bool Steim1Packer::AddDifferences<int32_t>(const uint8_t*, int, int&);

}  // namespace drumlin
