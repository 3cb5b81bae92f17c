#include "records/steim1_packer.h"

#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace drumlin {

namespace {

// Two's-complement wrap-around arithmetic on 32-bit sample values.
int32_t WrapAdd(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) + static_cast<uint32_t>(B));
}
int32_t WrapSub(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) - static_cast<uint32_t>(B));
}

#define DRUMLIN_HOT __attribute__((always_inline)) inline

// The Index-th host-order difference field of Data, sign-extended.
template <typename Field>
DRUMLIN_HOT int32_t LoadDiff(const uint8_t* Data, int Index) {
  Field Diff;
  std::memcpy(&Diff, Data + sizeof(Field) * static_cast<std::size_t>(Index), sizeof Diff);
  return Diff;
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

DRUMLIN_HOT int SizeClass(int32_t Diff) {
  if (Diff >= -128 && Diff <= 127) return 1;
  if (Diff >= -32768 && Diff <= 32767) return 2;
  return 3;
}

// The word the packing rules make next from an empty queue: a 32-bit
// difference alone, two differences of at most 16 bits with a 16-bit one
// among them, or four 8-bit differences. Taken is 0 when none of these
// applies yet (a mixed pair, or too few differences left) and the caller
// must go on one difference at a time. DiffAt(K) gives the K-th difference
// ahead; it is asked only for those the choice needs.
struct NextWord {
  int Taken = 0;
  uint32_t Word = 0;
  uint32_t Code = 0;
};

template <typename DiffAtFn>
DRUMLIN_HOT NextWord ChooseNextWord(DiffAtFn DiffAt, int Available) {
  const int32_t D0 = DiffAt(0);
  const int Size0 = SizeClass(D0);
  if (Size0 == 3) return {1, static_cast<uint32_t>(D0), Steim1Packer::kCodeOne32};
  if (Available < 2) return {};
  const int32_t D1 = DiffAt(1);
  const int Size1 = SizeClass(D1);
  if (Size1 == 2 || (Size0 == 2 && Size1 == 1))
    return {2, (static_cast<uint32_t>(D0) & 0xFFFFu) << 16 | (static_cast<uint32_t>(D1) & 0xFFFFu),
            Steim1Packer::kCodeTwo16};
  if (Size0 != 1 || Size1 != 1 || Available < 4) return {};
  const int32_t D2 = DiffAt(2);
  const int32_t D3 = DiffAt(3);
  if (SizeClass(D2) != 1 || SizeClass(D3) != 1) return {};
  return {4,
          (static_cast<uint32_t>(D0) & 0xFFu) << 24 | (static_cast<uint32_t>(D1) & 0xFFu) << 16 |
              (static_cast<uint32_t>(D2) & 0xFFu) << 8 | (static_cast<uint32_t>(D3) & 0xFFu),
          Steim1Packer::kCodeFour8};
}

}  // namespace

int Steim1Packer::DiffSize(int32_t Diff) { return SizeClass(Diff); }

void Steim1Packer::ClearFrames() {
  std::memset(Frames_, 0, sizeof Frames_);
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
  Frames_[0][1] = static_cast<uint32_t>(FirstKnown ? FirstValue : kX0Mark);
}

void Steim1Packer::StartNextRecord() {
  ClearFrames();
  Frames_[0][1] = static_cast<uint32_t>(kX0Mark);
  X0Known_ = false;
}

void Steim1Packer::CloseRecord() { Frames_[0][2] = static_cast<uint32_t>(SampleSum_); }

DRUMLIN_HOT void Steim1Packer::QueueDiff(int32_t Diff) {
  Diffs_[DiffCount_] = Diff;
  DiffSizes_[DiffCount_] = SizeClass(Diff);
  ++DiffCount_;
}

// The oldest queued difference opens a record whose first sample is not yet
// known: it becomes that sample's value, which is also the record's X0.
DRUMLIN_HOT void Steim1Packer::ApplyX0Rule() {
  if (X0Known_ || DiffCount_ == 0) return;
  const int32_t First = WrapAdd(SampleSum_, Diffs_[0]);
  Frames_[0][1] = static_cast<uint32_t>(First);
  X0Known_ = true;
  Diffs_[0] = First;
  DiffSizes_[0] = SizeClass(First);
  SampleSum_ = 0;
}

DRUMLIN_HOT uint32_t Steim1Packer::PackDiffs(int Count) {
  uint32_t Word = 0;
  switch (Count) {
    case 1: Word = static_cast<uint32_t>(Diffs_[0]); break;
    case 2:
      Word = (static_cast<uint32_t>(Diffs_[0]) & 0xFFFFu) << 16 |
             (static_cast<uint32_t>(Diffs_[1]) & 0xFFFFu);
      break;
    default:
      for (int I = 0; I < 4; ++I) Word = Word << 8 | (static_cast<uint32_t>(Diffs_[I]) & 0xFFu);
      break;
  }
  for (int I = 0; I < Count; ++I) SampleSum_ = WrapAdd(SampleSum_, Diffs_[I]);
  DiffCount_ -= Count;
  SampleCount_ += Count;
  for (int I = 0; I < DiffCount_ && I + Count < 4; ++I) {  // at most 4 queued
    Diffs_[I] = Diffs_[I + Count];
    DiffSizes_[I] = DiffSizes_[I + Count];
  }
  return Word;
}

DRUMLIN_HOT bool Steim1Packer::PutWord(uint32_t Word, uint32_t Code) {
  if (WordIndex_ < kWordsPerFrame - 1) {
    ++WordIndex_;
  } else {
    ++FrameIndex_;
    Frames_[FrameIndex_][0] = 0;
    WordIndex_ = 1;
  }
  Frames_[FrameIndex_][WordIndex_] = Word;
  Frames_[FrameIndex_][0] |= (Code & 3u) << (2 * (kWordsPerFrame - 1 - WordIndex_));
  return FrameIndex_ == kFrameCount - 1 && WordIndex_ == kWordsPerFrame - 1;
}

DRUMLIN_HOT bool Steim1Packer::Step(int32_t Value) {
  QueueDiff(WrapSub(Value, LastSample_));
  LastSample_ = Value;
  ApplyX0Rule();

  const int Count = DiffCount_;
  const int* S = DiffSizes_;
  if (Count >= 1 && S[0] == 3) return PutWord(PackDiffs(1), kCodeOne32);
  if (Count >= 2 && (S[0] == 3 || S[1] == 3)) return PutWord(PackDiffs(1), kCodeOne32);
  if (Count >= 2 && (S[0] == 2 || S[1] == 2)) return PutWord(PackDiffs(2), kCodeTwo16);
  if (Count >= 4 && (S[0] == 2 || S[1] == 2 || S[2] > 1 || S[3] > 1))
    return PutWord(PackDiffs(2), kCodeTwo16);
  if (Count >= 4) return PutWord(PackDiffs(4), kCodeFour8);
  return false;
}

bool Steim1Packer::AddSample(int32_t Value) { return Step(Value); }

// With the queue empty and X0 known, the packing rules applied sample by
// sample come to these words, taken here without queueing:
//   a first difference of 32 bits          -> one word of 32 bits at once;
//   two differences of at most 16 bits, one of them 16 bits
//                                           -> one word of two 16-bit halves;
//   four differences of 8 bits             -> one word of four bytes.
// Anything else (a 32-bit difference behind a smaller one, a larger
// difference among the four, too few samples left) goes through AddSample.
bool Steim1Packer::AddSamples(const int32_t* Samples, int Count, int& Used) {
  int I = 0;
  while (I < Count) {
    if (DiffCount_ == 0 && X0Known_) {
      const int32_t Previous = LastSample_;
      const int32_t* Ahead = Samples + I;
      const auto [Taken, Word, Code] = ChooseNextWord(
          [&](int K) { return WrapSub(Ahead[K], K == 0 ? Previous : Ahead[K - 1]); }, Count - I);
      if (Taken > 0) {
        const int32_t Last = Samples[I + Taken - 1];
        SampleSum_ = WrapAdd(SampleSum_, WrapSub(Last, LastSample_));
        SampleCount_ += Taken;
        LastSample_ = Last;
        I += Taken;
        if (PutWord(Word, Code)) {
          Used = I;
          return true;
        }
        continue;
      }
    }
    const bool Full = Step(Samples[I]);
    ++I;
    if (Full) {
      Used = I;
      return true;
    }
  }
  Used = I;
  return false;
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
        // The four 16-bit fields side by side: each fits 8 bits when adding
        // 128 to it (within its own 16 bits) leaves its high byte clear.
        uint64_t Four;
        std::memcpy(&Four, Data + 2 * static_cast<std::size_t>(Next + 4 * W), sizeof Four);
        const uint64_t Shifted =
            ((Four & 0x7FFF7FFF7FFF7FFFu) + 0x0080008000800080u) ^ (Four & 0x8000800080008000u);
        Fits = (Shifted & 0xFF00FF00FF00FF00u) == 0;
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
    for (int K = 0; K < 4 * Words; ++K) Sum += LoadDiff<Field>(Data, Next + K);

  int At = Next;  // the next difference to place
  for (int Left = Words; Left > 0;) {
    if (Slot == kDataWords) {
      ++Frame;
      Slot = 0;
    }
    const int Take = Left < kDataWords - Slot ? Left : kDataWords - Slot;
    uint32_t* Out = Frames_[Frame] + Slot + 1;
    for (int K = 0; K < Take; ++K, At += 4) {
      uint32_t Word;
      if constexpr (sizeof(Field) == 1) {
        std::memcpy(&Word, Data + At, sizeof Word);
        if constexpr (std::endian::native == std::endian::little) Word = __builtin_bswap32(Word);
      } else {
        Word = (static_cast<uint32_t>(LoadDiff<Field>(Data, At)) & 0xFFu) << 24 |
               (static_cast<uint32_t>(LoadDiff<Field>(Data, At + 1)) & 0xFFu) << 16 |
               (static_cast<uint32_t>(LoadDiff<Field>(Data, At + 2)) & 0xFFu) << 8 |
               (static_cast<uint32_t>(LoadDiff<Field>(Data, At + 3)) & 0xFFu);
      }
      Out[K] = Word;
    }
    // Control code 01 in the 2-bit fields of slots Slot+1 .. Slot+Take; slot
    // S sits at bits 2 * (15 - S).
    const uint32_t Below = (1u << (2 * (kDataWords - Slot))) - 1u;
    const uint32_t Past = (1u << (2 * (kDataWords - Slot - Take))) - 1u;
    Frames_[Frame][0] = (Slot == 0 ? 0u : Frames_[Frame][0]) | (0x55555555u & Below & ~Past);
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

// The same words as AddSamples, read from the differences themselves. Four
// 8-bit differences always make a word of four bytes, and the word is those
// four stored bytes in their order.
template <typename Field>
bool Steim1Packer::AddDifferences(const uint8_t* Data, int Count, int& Used) {
  int I = 0;
  while (I < Count) {
    if (DiffCount_ == 0 && X0Known_) {
      const int Before = I;
      if (PutFour8Words<Field>(Data, Count, I)) {
        Used = I;
        return true;
      }
      if (I > Before) continue;  // the next word is another kind, or too few are left
      NextWord Next;
      if constexpr (sizeof(Field) > 1)
        Next = ChooseNextWord([&](int K) { return LoadDiff<Field>(Data, I + K); }, Count - I);
      const auto [Taken, Word, Code] = Next;
      if (Taken > 0) {
        int32_t Sum = 0;
        for (int K = 0; K < Taken; ++K) Sum = WrapAdd(Sum, LoadDiff<Field>(Data, I + K));
        SampleSum_ = WrapAdd(SampleSum_, Sum);
        LastSample_ = WrapAdd(LastSample_, Sum);
        SampleCount_ += Taken;
        I += Taken;
        if (PutWord(Word, Code)) {
          Used = I;
          return true;
        }
        continue;
      }
    }
    const bool Full = Step(WrapAdd(LastSample_, LoadDiff<Field>(Data, I)));
    ++I;
    if (Full) {
      Used = I;
      return true;
    }
  }
  Used = I;
  return false;
}

template bool Steim1Packer::AddDifferences<int8_t>(const uint8_t*, int, int&);
template bool Steim1Packer::AddDifferences<int16_t>(const uint8_t*, int, int&);
template bool Steim1Packer::AddDifferences<int32_t>(const uint8_t*, int, int&);

bool Steim1Packer::PackOneQueued() {
  ApplyX0Rule();
  return PutWord(PackDiffs(1), kCodeOne32);
}

}  // namespace drumlin
