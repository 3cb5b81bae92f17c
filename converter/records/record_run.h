// One run of contiguous input blocks on its way into records: the fixed
// header set up from the run's first block (InitHeader), the Steim-1 packer
// that fills the record being made, and the start time of each next record.
// Samples go in through AddSample and AddBlockSamples, full records go to the
// RecordOutput as they fill, and Flush closes the run with its partly filled
// record.
#pragma once

#include <cstdint>
#include <string>

#include "blocks/ycf_block.h"
#include "records/record_header.h"
#include "records/record_output.h"
#include "records/steim1_packer.h"
#include "time/us_time.h"

namespace drumlin {

class RecordRun {
 public:
  // Records go to Output, which must outlive the run.
  explicit RecordRun(RecordOutput& Output);

  // True when the next accepted block must open a new run with InitHeader.
  bool NeedHeader = true;

  // Fills the fixed header and resets the record state from a converted
  // block, applying the export parameters file; clears NeedHeader.
  void InitHeader(const YcfBlock& Block);

  // Appends one sample; puts the record out when it fills.
  void AddSample(int32_t Value);
  // Appends the samples of a converted usable data block (IsUsableDataBlock):
  // its first value, then one sample per further difference, as AddSample
  // would take them one by one, the differences taken straight from the
  // block. Nothing for a block without samples.
  void AddBlockSamples(const YcfBlock& Block);
  // Packs what is queued, puts the record out if it holds samples, writes
  // the output's pending records and sets NeedHeader.
  void Flush();

  // Puts the record out when it holds samples, then starts the next one.
  void WriteRecord();

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

 private:
  // Sets the next record's start: the run's exact start plus the duration of
  // every sample written in the run so far, kept at 0.0001 s in the header.
  void AdvanceStartTime();
  void SetStartTime(UsTime Start);
  // Appends Count samples given by host-order difference fields.
  template <typename Field>
  void AddDifferences(const uint8_t* Data, int Count);

  RecordOutput& Output_;
  RecordHeader Header_{};
  Steim1Packer Packer_;
  UsTime RunStart_ = 0;
  int64_t RunSamplesWritten_ = 0;
};

}  // namespace drumlin
