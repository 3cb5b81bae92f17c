// The miniSEED record file of one conversion: a file stream holding one
// 4096-byte data record (fixed header, blockette 1000, 63 Steim-1 frames).
// Runs of contiguous input blocks share one header set up by InitHeader;
// samples go in through AddSample, full records are written as they fill,
// and Flush closes a run with its partly filled record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "blocks/ycf_block.h"
#include "records/file_stream.h"
#include "records/record_header.h"
#include "records/steim1_packer.h"
#include "time/us_time.h"

namespace drumlin {

class TSEEDFile : public FileStream {
 public:
  // Prepares the new file for FileName (see FileStream); raises
  // StreamCreateError. NeedHeader is set; InitHeader must run before samples.
  // After the last Flush, Finish puts the file in place.
  explicit TSEEDFile(const std::string& FileName);

  // True when the next accepted block must open a new run with InitHeader.
  bool NeedHeader = true;

  // Fills the fixed header and resets the record state from a converted
  // block, applying the export parameters file; clears NeedHeader.
  void InitHeader(const YcfBlock& Block);

  // Appends one sample; writes the record when it fills.
  void AddSample(int32_t Value);
  // Appends the samples of a converted usable data block (IsUsableDataBlock):
  // its first value, then one sample per further difference, as AddSample
  // would take them one by one, the differences taken straight from the
  // block. Nothing for a block without samples.
  void AddBlockSamples(const YcfBlock& Block);
  // Packs what is queued, writes the record if it holds samples and sets
  // NeedHeader.
  void Flush();

  // Writes the record when it holds samples, then starts the next one.
  void WriteRecord();

  // With Collect, records written from now on collect in a buffer of
  // kPendingRecords and leave in one write when it fills, at Flush and at
  // WritePending, instead of one by one as they fill.
  void CollectRecords(bool Collect) { Collect_ = Collect; }

  // Writes the records still held in the buffer; call before reporting
  // anything, so that a write error shows where the records were made.
  void WritePending();

  std::string GetNetwork() const;
  void SetNetwork(const std::string& Text);   // last 2 characters
  void SetStation(const std::string& Text);   // last 5 characters
  void SetChannel(const std::string& Text);   // first 3 characters
  void SetLocation(const std::string& Text);  // first 2 characters

  // Applies the "EXPORTINFO" entries of the export parameters file for the
  // given stream and system identifier texts.
  void LoadExportInfo(const std::string& StreamText, const std::string& SystemText);
  // Applies the NET:, STA:, CHAN: and LOC: tokens of one value.
  void ApplyExportTokens(std::string Value);

  const RecordHeader& Header() const { return Header_; }
  const Steim1Packer& Packer() const { return Packer_; }

 private:
  // Sets the next record's start: the run's exact start plus the duration of
  // every sample written in the run so far, kept at 0.0001 s in the header.
  void AdvanceStartTime();
  void SetStartTime(UsTime Start);
  // Appends Count samples given by host-order difference fields.
  template <typename Field>
  void AddDifferences(const uint8_t* Data, int Count);

  static constexpr std::size_t kPendingRecords = 64;
  static constexpr std::size_t kPendingSize = kPendingRecords * kRecordLength;

  RecordHeader Header_{};
  // Allocated once per file, not on the stack: a small stack is enough.
  std::unique_ptr<uint8_t[]> Pending_;
  std::size_t PendingBytes_ = 0;
  bool Collect_ = false;
  Steim1Packer Packer_;
  UsTime RunStart_ = 0;
  int64_t RunSamplesWritten_ = 0;
};

}  // namespace drumlin
