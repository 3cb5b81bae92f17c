#include "records/steim1_packer.h"

#include <algorithm>
#include <cstring>

#include "blocks/byte_order.h"
#include "records/steim1_words.h"

namespace drumlin {

using namespace steim1;

int Steim1Packer::DiffSize(int32_t Diff) { return SizeClass(Diff); }

void Steim1Packer::ClearFrames() {
  std::memset(Frames_, 0, sizeof Frames_);
  ResetPosition();
}

// The words of a record are filled in order, and CloseRecord clears those
// it left unfilled, so the next record starts on frames whose words are all
// overwritten or cleared in their turn.
void Steim1Packer::ResetPosition() {
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
  ResetPosition();
  Frames_[0][1] = BigEndian32(static_cast<uint32_t>(kX0Mark));
  X0Known_ = false;
}

uint32_t Steim1Packer::Word(int F, int W) const {
  return W == 0 ? Control_[F] : BigEndian32(Frames_[F][W]);
}

void Steim1Packer::CloseRecord() {
  // The words after the last one filled are zero (their codes 00).
  uint32_t* const AfterLast = &Frames_[FrameIndex_][WordIndex_] + 1;
  std::memset(AfterLast, 0,
              sizeof(uint32_t) * static_cast<std::size_t>(
                                     &Frames_[0][0] + kFrameCount * kWordsPerFrame - AfterLast));
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
  const uint32_t Word = WordOf(Count, [this](int K) { return Diffs_[K]; });
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
  return PutStoredWord(BigEndian32(Word), Code);
}

DRUMLIN_HOT bool Steim1Packer::PutStoredWord(uint32_t Word, uint32_t Code) {
  if (WordIndex_ < kWordsPerFrame - 1) {
    ++WordIndex_;
  } else {
    ++FrameIndex_;
    WordIndex_ = 1;
  }
  Frames_[FrameIndex_][WordIndex_] = Word;
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

// Packs Words words of Take differences each (4, 2 or 1) stored from
// Data[At] on, each as PutWord would one by one, whole frames at a time. The
// record has room for them all; the sums are left to the caller. True when
// the last word filled the record.
template <typename Field>
DRUMLIN_HOT bool Steim1Packer::PutRun(const uint8_t* Data, int At, int Words, int Take) {
  // The stored fields are the words themselves: four bytes, two 16-bit or
  // one 32-bit difference.
  const bool Raw = static_cast<std::size_t>(Take) * sizeof(Field) == 4;
  const uint32_t Codes = Take == 4 ? 0x55555555u : Take == 2 ? 0xAAAAAAAAu : 0xFFFFFFFFu;
  int Frame = FrameIndex_;
  int Slot = WordIndex_;
  for (int Left = Words; Left > 0;) {
    if (Slot == kDataWordsPerFrame) {
      ++Frame;
      Slot = 0;
    }
    const int Placed = std::min(Left, kDataWordsPerFrame - Slot);
    uint32_t* Out = Frames_[Frame] + Slot + 1;
    if (Raw) {
      std::memcpy(Out, Data + sizeof(Field) * static_cast<std::size_t>(At),
                  4 * static_cast<std::size_t>(Placed));
      At += Take * Placed;
    } else {
      for (int K = 0; K < Placed; ++K, At += Take) Out[K] = StoredWord<Field>(Data, At, Take);
    }
    // The word code in the 2-bit fields of slots Slot+1 .. Slot+Placed;
    // slot S sits at bits 2 * (15 - S).
    const uint32_t Below = (1u << (2 * (kDataWordsPerFrame - Slot))) - 1u;
    const uint32_t Past = (1u << (2 * (kDataWordsPerFrame - Slot - Placed))) - 1u;
    Control_[Frame] |= Codes & Below & ~Past;
    Slot += Placed;
    Left -= Placed;
  }
  FrameIndex_ = Frame;
  WordIndex_ = Slot;
  SampleCount_ += Take * Words;
  return Frame == kFrameCount - 1 && Slot == kWordsPerFrame - 1;
}

// The words the rules make, group by group, from the queued differences
// and then straight from the stored ones, while X0 is known. The rules
// choose a word once enough differences have arrived (its Need) and pack at
// most one word per arrival, so a word may be packed some arrivals after its
// last difference came in; the differences that have arrived and are not
// yet packed then stand in the queue. Next is the first stored difference
// not yet arrived; on return the queue holds exactly what the rules leave
// there after the last arrival taken. At most kStoredChunk stored
// differences are looked at in one call.
template <typename Field>
bool Steim1Packer::PackStored(const uint8_t* Data, int Count, int& Next) {
  const int Queued = DiffCount_;
  const int Stored = std::min(Count - Next, kStoredChunk);
  const uint8_t* const From = Data + sizeof(Field) * static_cast<std::size_t>(Next);
  // The size classes less one of the queued and then the stored differences
  // (positions from 0, the oldest queued one), four more at 0 to look ahead.
  uint8_t Classes[4 + kStoredChunk + 4];
  for (int K = 0; K < Queued; ++K) Classes[K] = static_cast<uint8_t>(DiffSizes_[K] - 1);
  SizeClasses<Field>(From, Stored, Classes + Queued);
  const int End = Queued + Stored;
  std::memset(Classes + End, 0, 4);
  const auto Value = [&](int Position) {
    return Position < Queued ? Diffs_[Position] : LoadDiff<Field>(From, Position - Queued);
  };

  int Start = 0;         // position of the first difference not yet packed
  int LastArrival = -1;  // arrival (0: the first stored one) of the last word packed
  int32_t QueuedPacked = 0;
  bool Full = false;
  while (Start < End) {
    const uint8_t* C = Classes + Start;
    const WordChoice Choice = kWordChoices[C[0] + 3u * C[1] + 9u * C[2] + 27u * C[3]];
    const int Take = Choice.Take;
    if (Start + Choice.Need > End) break;  // too few to choose
    const int Chosen = Start + Choice.Need - 1 - Queued;
    const int Arrival = Chosen > LastArrival ? Chosen : LastArrival + 1;
    if (Arrival >= Stored) break;  // the word waits for the next arrival
    const bool OnTime = Arrival == Chosen;
    if (Start >= Queued && Choice.Need == Take && (OnTime || Take == 1)) {
      // A run of words of the same kind, each packed as its last difference
      // arrives: four 8-bit, pairs with a 16-bit one, or a 32-bit one alone.
      // 32-bit words alone also run on one arrival late or more: each takes
      // one difference and is packed one arrival after the word before.
      const int Room =
          (kFrameCount - 1 - FrameIndex_) * kDataWordsPerFrame + (kDataWordsPerFrame - WordIndex_);
      const int Limit = OnTime ? Room : std::min(Room, Stored - 1 - LastArrival);
      const int Available = (End - Start) / Take;
      int Words = 0;
      if constexpr (sizeof(Field) == 1)
        Words = Available;  // every group is four
      else
        Words = RunOfWords(C, std::min(Available, Limit), Take);
      // The first group is of the kind: the run holds at least its word.
      Words = std::clamp(Words, 1, Limit);
      Full = PutRun<Field>(From, Start - Queued, Words, Take);
      Start += Take * Words;
      LastArrival = OnTime ? Start - 1 - Queued : LastArrival + Words;
      if (Full) break;
      continue;
    }
    if (Start >= Queued) {
      Full = PutStoredWord(StoredWord<Field>(From, Start - Queued, Take), CodeOfTake(Take));
    } else {
      // A word with queued differences in it: their sum is taken here, that
      // of the stored ones at the end.
      for (int K = Start; K < std::min(Start + Take, Queued); ++K)
        QueuedPacked = WrapAdd(QueuedPacked, Diffs_[K]);
      Full = PutWord(WordOf(Take, [&](int K) { return Value(Start + K); }), CodeOfTake(Take));
    }
    SampleCount_ += Take;
    Start += Take;
    LastArrival = Arrival;
    if (Full) break;
  }

  // The stored differences that arrived: up to the one whose arrival packed
  // the word that filled the record, else all.
  const int Arrived = Full ? LastArrival + 1 : Stored;
  const int StoredPacked = Start > Queued ? Start - Queued : 0;
  const int32_t StoredSum = SumOfFields<Field>(From, StoredPacked);
  SampleSum_ = WrapAdd(SampleSum_, WrapAdd(QueuedPacked, StoredSum));
  LastSample_ = WrapAdd(LastSample_, StoredSum);
  // What has arrived and is not packed waits in the queue, oldest first (at
  // most three after a packed word, four when none could be chosen).
  int Kept = 0;
  for (int Position = Start; Position < Queued + Arrived; ++Position, ++Kept) {
    const int32_t D = Value(Position);
    if (Position >= Queued) LastSample_ = WrapAdd(LastSample_, D);
    Diffs_[Kept] = D;
    DiffSizes_[Kept] = SizeClass(D);
  }
  DiffCount_ = Kept;
  Next += Arrived;
  return Full;
}

template <typename Field>
bool Steim1Packer::AddDifferences(const uint8_t* Data, int Count, int& Used) {
  int Next = 0;
  while (Next < Count) {
    bool Full = false;
    if (X0Known_) {
      Full = PackStored<Field>(Data, Count, Next);
    } else {
      Full = Step(LoadDiff<Field>(Data, Next));  // the record's first sample
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
