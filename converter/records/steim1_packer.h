// Steim-1 frame packer: turns a series of samples into the 63 data frames of
// one 4096-byte miniSEED record, sample by sample, by this encoder's fixed
// packing rules. It knows nothing about files: its owner writes a record
// whenever AddSample or PackOneQueued reports it full, then calls
// StartNextRecord. Constant work per sample, no allocation.
//
//   Steim1Packer Packer;
//   Packer.StartRun(First, true);
//   for (int32_t V : Samples)
//     if (Packer.AddSample(V)) { Packer.CloseRecord(); Use(Packer.Frames());
//     Packer.StartNextRecord(); }
//   // flush: while (Packer.DiffCount() > 0) if (Packer.PackOneQueued()) ...; then close the record
#pragma once

#include <cstdint>

namespace drumlin {

class Steim1Packer {
 public:
  static constexpr int kFrameCount = 63;
  static constexpr int kWordsPerFrame = 16;
  // Word codes of the control word.
  static constexpr uint32_t kCodeNone = 0;
  static constexpr uint32_t kCodeFour8 = 1;
  static constexpr uint32_t kCodeTwo16 = 2;
  static constexpr uint32_t kCodeOne32 = 3;
  // Value of X0 while the first sample of a record is not yet known.
  static constexpr int32_t kX0Mark = 2147483647;

  using FrameWords = uint32_t[kFrameCount][kWordsPerFrame];

  // Size class of a difference: 1 for 8 bits, 2 for 16 bits, 3 for 32 bits.
  static int DiffSize(int32_t Diff);

  // Opens a run: clears the frames and the queue, LastSample and SampleSum
  // become 0. With FirstKnown, X0 holds FirstValue (the first sample that
  // will arrive); otherwise X0 is filled from the first sample packed.
  void StartRun(int32_t FirstValue, bool FirstKnown);

  // Appends one sample; packs at most one word. True when that word filled
  // the record: the owner writes it (after CloseRecord) and calls
  // StartNextRecord before adding more.
  bool AddSample(int32_t Value);

  // Appends Samples one after the other as AddSample would, stopping after
  // the sample whose word fills the record. Used receives the number of
  // samples taken; true when the record is full. While the queue is empty
  // and X0 known, whole words (one 32-bit, two 16-bit or four 8-bit
  // differences) are packed at once: exactly the words AddSample packs.
  bool AddSamples(const int32_t* Samples, int Count, int& Used);

  // Appends the samples that follow the last one by the given differences
  // (host-order fields of type Field: int8_t, int16_t or int32_t, as a
  // converted block stores them), exactly as AddSample would take each
  // sample, stopping after the difference whose word fills the record. Used
  // receives the number of differences taken; true when the record is full.
  // While the queue is empty and X0 known, 8-bit differences go into the
  // frames four at a time as they are stored, and wider ones a whole word at
  // a time, without rebuilding the samples.
  template <typename Field>
  bool AddDifferences(const uint8_t* Data, int Count, int& Used);

  // One step of a flush: packs the oldest queued difference alone as a
  // 32-bit word. Call only while DiffCount() > 0. True when the record is full.
  bool PackOneQueued();

  // Stores Xn, the value of the record's last packed sample.
  void CloseRecord();

  // Clears the frames for the next record of the run; queued differences,
  // LastSample and SampleSum carry on, and X0 waits for the record's first
  // sample.
  void StartNextRecord();

  const FrameWords& Frames() const { return Frames_; }
  int SampleCount() const { return SampleCount_; }
  int DiffCount() const { return DiffCount_; }
  int32_t SampleSum() const { return SampleSum_; }
  int32_t X0() const { return static_cast<int32_t>(Frames_[0][1]); }
  bool X0Known() const { return X0Known_; }

 private:
  // The packing rules for one sample, shared by AddSample and AddSamples.
  bool Step(int32_t Value);
  void QueueDiff(int32_t Diff);
  void ApplyX0Rule();
  uint32_t PackDiffs(int Count);
  bool PutWord(uint32_t Word, uint32_t Code);
  template <typename Field>
  bool PutFour8Words(const uint8_t* Data, int Count, int& Next);
  void ClearFrames();

  FrameWords Frames_{};
  int FrameIndex_ = 0;
  int WordIndex_ = 2;
  int32_t LastSample_ = 0;
  int32_t Diffs_[4]{};
  int DiffSizes_[4]{};
  int DiffCount_ = 0;
  int SampleCount_ = 0;
  int32_t SampleSum_ = 0;
  bool X0Known_ = false;
};

}  // namespace drumlin
