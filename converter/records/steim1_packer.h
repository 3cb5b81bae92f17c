// Steim-1 frame packer: turns the samples of a run into the 63 data frames of
// 4096-byte miniSEED records by this encoder's fixed packing rules. It knows
// nothing about files: its owner writes a record whenever a call reports it
// full, then calls StartNextRecord. Constant work per sample, no allocation.
//
//   Steim1Packer Packer;
//   Packer.StartRun(FirstValue, true);
//   if (Packer.AddSample(FirstValue)) Write();             // a block's first sample
//   while (Left > 0) {                                      // then its stored differences
//     int Used;
//     if (Packer.AddDifferences<int16_t>(Data, Left, Used)) Write();
//     Data += 2 * Used; Left -= Used;
//   }
//   while (Packer.DiffCount() > 0) if (Packer.PackOneQueued()) Write();   // at a flush
//   Write();
//
// where Write() is: CloseRecord(), use Frames(), StartNextRecord().
//
// The packing rules. Differences wait in a queue of at most four, the oldest
// first, each with its size class S (1: fits 8 bits, 2: fits 16 bits, 3: 32
// bits). After each new difference the first rule that holds packs one word,
// and at most one word is packed per difference:
//
//   rule  queued  condition            word                              code
//   1     >= 1    S1 = 3               D1 alone, 32 bits                 11
//   2     >= 2    S2 = 3               D1 alone, 32 bits                 11
//   3     >= 2    S1 = 2 or S2 = 2     D1 and D2, 16 bits each           10
//   4     >= 4    S3 > 1 or S4 > 1     D1 and D2, 16 bits each           10
//   5     >= 4    (none of the above)  D1 to D4, 8 bits each             01
//
// (A condition leaves out what an earlier rule has taken already: rule 2 need
// not ask whether S1 = 3, nor rule 4 whether S1 or S2 = 2.) When no rule
// holds, the differences wait. The first difference of a run is the first
// sample itself (a difference from 0); the first difference of every later
// record is replaced by the value of its sample, which is also that record's
// X0. A flush packs every difference still queued as a 32-bit word of its own.
#pragma once

#include <climits>
#include <cstdint>

namespace drumlin {

class Steim1Packer {
 public:
  static constexpr int kFrameCount = 63;
  static constexpr int kWordsPerFrame = 16;
  // Every frame gives its word 0 to the control word.
  static constexpr int kDataWordsPerFrame = kWordsPerFrame - 1;
  // Word codes of the control word.
  static constexpr uint32_t kCodeNone = 0;
  static constexpr uint32_t kCodeFour8 = 1;
  static constexpr uint32_t kCodeTwo16 = 2;
  static constexpr uint32_t kCodeOne32 = 3;
  // Value X0 shows while the first sample of a record is not yet known.
  static constexpr int32_t kX0Mark = INT32_MAX;

  using FrameWords = uint32_t[kFrameCount][kWordsPerFrame];

  // Size class of a difference: 1 for 8 bits, 2 for 16 bits, 3 for 32 bits.
  static int DiffSize(int32_t Diff);

  // Opens a run: clears the frames and the queue, LastSample and SampleSum
  // become 0. With FirstKnown, X0 holds FirstValue (the first sample that
  // will arrive); otherwise X0 is filled from the first sample packed.
  void StartRun(int32_t FirstValue, bool FirstKnown);

  // Appends one sample. True when the word it packed filled the record: the
  // owner writes it and calls StartNextRecord before adding more.
  bool AddSample(int32_t Value);

  // Appends the samples that follow the last one by the given differences
  // (big-endian fields of type Field: int8_t, int16_t or int32_t, as a
  // block stores them), exactly as AddSample would take each
  // sample, stopping after the difference whose word fills the record. Used
  // receives the number of differences taken; true when the record is full.
  template <typename Field>
  bool AddDifferences(const uint8_t* Data, int Count, int& Used);

  // One step of a flush: packs the oldest queued difference alone as a
  // 32-bit word. Call only while DiffCount() > 0. True when the record is full.
  bool PackOneQueued();

  // Completes the record's frames: Xn, the value of its last packed sample,
  // and the control words. Frames() then holds the record's data area as it
  // stands in the file.
  void CloseRecord();

  // Clears the frames for the next record of the run; queued differences,
  // LastSample and SampleSum carry on, and X0 waits for the record's first
  // sample.
  void StartNextRecord();

  // The frames in file order: every word big-endian. Control words and Xn
  // are in place once CloseRecord has run.
  const FrameWords& Frames() const { return Frames_; }
  // Word W of frame F as a native value.
  uint32_t Word(int F, int W) const;
  int SampleCount() const { return SampleCount_; }
  int DiffCount() const { return DiffCount_; }
  int32_t SampleSum() const { return SampleSum_; }
  int32_t X0() const { return static_cast<int32_t>(Word(0, 1)); }
  bool X0Known() const { return X0Known_; }

 private:
  // Queues one difference and packs the word the rules choose, if any.
  bool Step(int32_t Diff);
  void ApplyX0Rule();
  uint32_t PackQueued(int Count);
  bool PutWord(uint32_t Word, uint32_t Code);
  // Word as it stands in the file (big-endian).
  bool PutStoredWord(uint32_t Word, uint32_t Code);
  // Differences looked at in one call of PackStored: a block's at most.
  static constexpr int kStoredChunk = 1024;
  // The words the rules make from stored differences while the queue is
  // empty and X0 known, without queueing them one by one.
  template <typename Field>
  bool PackStored(const uint8_t* Data, int Count, int& Next);
  template <typename Field>
  bool PutRun(const uint8_t* Data, int At, int Words, int Take);
  void ClearFrames();
  void ResetPosition();

  FrameWords Frames_{};
  // Control words of the frames, native until CloseRecord stores them.
  uint32_t Control_[kFrameCount]{};
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
