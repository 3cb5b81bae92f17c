#include "testsupport/reference_steim1.h"

#include <cstring>

namespace drumlin::test {

namespace {

int32_t Plus(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) + static_cast<uint32_t>(B));
}
int32_t Minus(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) - static_cast<uint32_t>(B));
}

}  // namespace

int ReferenceSteim1Packer::DiffSize(int32_t Diff) {
  if (Diff >= -128 && Diff <= 127) return 1;
  if (Diff >= -32768 && Diff <= 32767) return 2;
  return 3;
}

void ReferenceSteim1Packer::StartRun(int32_t FirstValue, bool FirstKnown) {
  std::memset(Frames_, 0, sizeof Frames_);
  std::memset(Diffs_, 0, sizeof Diffs_);
  std::memset(DiffSizes_, 0, sizeof DiffSizes_);
  LastSample_ = FrameIndex_ = DiffCount_ = SampleCount_ = SampleSum_ = 0;
  WordIndex_ = 2;
  X0Known_ = FirstKnown;
  Frames_[0][1] = static_cast<uint32_t>(FirstKnown ? FirstValue : 2147483647);
}

void ReferenceSteim1Packer::QueueDiff(int32_t Diff) {
  DiffCount_ = DiffCount_ + 1;
  Diffs_[DiffCount_] = Diff;
  DiffSizes_[DiffCount_] = DiffSize(Diff);
}

void ReferenceSteim1Packer::ApplyX0Rule() {
  if (X0Known_) return;
  const int32_t Value = Plus(SampleSum_, Diffs_[1]);
  Frames_[0][1] = static_cast<uint32_t>(Value);
  X0Known_ = true;
  Diffs_[1] = Value;
  DiffSizes_[1] = DiffSize(Value);
  SampleSum_ = 0;
}

uint32_t ReferenceSteim1Packer::PackDiffs(int Count) {
  uint32_t Word = 0;
  if (Count == 1) {
    Word = static_cast<uint32_t>(Diffs_[1]);
  } else if (Count == 2) {
    Word = (static_cast<uint32_t>(Diffs_[1]) & 0xFFFF) << 16 |
           (static_cast<uint32_t>(Diffs_[2]) & 0xFFFF);
  } else {
    for (int I = 1; I <= 4; ++I) Word = Word << 8 | (static_cast<uint32_t>(Diffs_[I]) & 0xFF);
  }
  for (int I = 1; I <= Count; ++I) SampleSum_ = Plus(SampleSum_, Diffs_[I]);
  DiffCount_ = DiffCount_ - Count;
  SampleCount_ = SampleCount_ + Count;
  for (int I = 1; I <= DiffCount_; ++I) {
    Diffs_[I] = Diffs_[I + Count];
    DiffSizes_[I] = DiffSizes_[I + Count];
  }
  return Word;
}

bool ReferenceSteim1Packer::PutWord(uint32_t Word, uint32_t Code) {
  if (WordIndex_ < 15) {
    WordIndex_ = WordIndex_ + 1;
  } else {
    FrameIndex_ = FrameIndex_ + 1;
    Frames_[FrameIndex_][0] = 0;
    WordIndex_ = 1;
  }
  Frames_[FrameIndex_][WordIndex_] = Word;
  Frames_[FrameIndex_][0] |= (Code & 3) << (2 * (15 - WordIndex_));
  return FrameIndex_ == 62 && WordIndex_ == 15;
}

bool ReferenceSteim1Packer::AddSample(int32_t Value) {
  QueueDiff(Minus(Value, LastSample_));
  LastSample_ = Value;
  ApplyX0Rule();
  const int N = DiffCount_;
  const int* S = DiffSizes_;
  if (N >= 1 && S[1] == 3) return PutWord(PackDiffs(1), 3);
  if (N >= 2 && (S[1] == 3 || S[2] == 3)) return PutWord(PackDiffs(1), 3);
  if (N >= 2 && (S[1] == 2 || S[2] == 2)) return PutWord(PackDiffs(2), 2);
  if (N >= 4 && (S[1] == 2 || S[2] == 2 || S[3] > 1 || S[4] > 1)) return PutWord(PackDiffs(2), 2);
  if (N >= 4) return PutWord(PackDiffs(4), 1);
  return false;
}

bool ReferenceSteim1Packer::PackOneQueued() {
  ApplyX0Rule();
  return PutWord(PackDiffs(1), 3);
}

void ReferenceSteim1Packer::CloseRecord() { Frames_[0][2] = static_cast<uint32_t>(SampleSum_); }

void ReferenceSteim1Packer::StartNextRecord() {
  std::memset(Frames_, 0, sizeof Frames_);
  Frames_[0][1] = 2147483647;
  X0Known_ = false;
  SampleCount_ = FrameIndex_ = 0;
  WordIndex_ = 2;
}

}  // namespace drumlin::test
