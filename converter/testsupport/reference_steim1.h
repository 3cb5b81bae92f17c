// The Steim-1 packing rules exactly as a seismologist states them, sample by
// sample: each sample's difference joins a queue of four, the five rules are
// tried in their order with every condition written out in full, and at most
// one word is packed per sample. Slow and plain on purpose: the tests hold
// the converter's packer, with its fast paths over stored differences,
// against it record by record.
#pragma once

#include <cstdint>

namespace drumlin::test {

class ReferenceSteim1Packer {
 public:
  static constexpr int kFrameCount = 63;
  static constexpr int kWordsPerFrame = 16;
  using FrameWords = uint32_t[kFrameCount][kWordsPerFrame];

  // A run opens: frames, queue, LastSample and SampleSum cleared; X0 is the
  // first sample when it is known, else it is taken from the first sample.
  void StartRun(int32_t FirstValue, bool FirstKnown);
  // True when the word packed for this sample filled the record.
  bool AddSample(int32_t Value);
  // One flush step: the oldest queued difference alone as a 32-bit word.
  bool PackOneQueued();
  void CloseRecord();
  void StartNextRecord();

  const FrameWords& Frames() const { return Frames_; }
  int SampleCount() const { return SampleCount_; }
  int DiffCount() const { return DiffCount_; }

 private:
  static int DiffSize(int32_t Diff);
  void QueueDiff(int32_t Diff);
  void ApplyX0Rule();
  uint32_t PackDiffs(int Count);
  bool PutWord(uint32_t Word, uint32_t Code);

  FrameWords Frames_{};
  int FrameIndex_ = 0;
  int WordIndex_ = 2;
  int32_t LastSample_ = 0;
  int32_t Diffs_[5]{};  // 1-based, as the rules count them
  int DiffSizes_[5]{};
  int DiffCount_ = 0;
  int SampleCount_ = 0;
  int32_t SampleSum_ = 0;
  // The value 2147483647 marks an unknown X0; the flag keeps a record whose
  // first sample has exactly that value apart from one not yet begun.
  bool X0Known_ = false;
};

}  // namespace drumlin::test
