// Test support: builds YCF blocks and files in file byte order (big-endian)
// from given samples, for the converter's tests, benchmarks and example.
//
//   YcfHeaderSpec Header;                      // ids, rate code, compression...
//   Header.StreamId = 0x...; Header.RateCode = 100; Header.Compression = 2;
//   SetBlockStart(Header, test::EncodeUsDate(2024, 5, 1) + test::EncodeUsTime(12, 0, 0, 0));
//   YcfBlock Block = MakeDataBlock(Header, Samples);   // differences computed
//
//   YcfStreamSpec Stream{.SystemId = 7, .StreamId = Id, .RateCode = 100};
//   std::vector<YcfBlock> Blocks = MakeStream(Stream, Start, Samples);
//   WriteYcfFile("data.YCF", Blocks);
//
// Blocks come back exactly as a file holds them, ready for the readers of
// blocks/ycf_block.h and the record file. Invalid input to the
// builders (samples that do not fit, starts that no time code can express)
// raises std::invalid_argument; file errors raise std::runtime_error.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "blocks/ycf_block.h"
#include "time/us_time.h"

namespace drumlin {

struct YcfHeaderSpec {
  uint32_t SystemId = 0;
  uint32_t StreamId = 0;
  uint32_t TimeCode = 0;
  uint8_t Byte12 = 0;
  uint8_t RateCode = 100;     // 0 makes a status block
  uint8_t Compression = 1;    // bits 0-2: 1, 2, 4, or any other for bad blocks
  uint8_t FracNumerator = 0;  // bits 4-7
};

// Sets time code and fraction numerator so that the block starts at Start at
// the header's rate; throws when no combination gives Start exactly.
void SetBlockStart(YcfHeaderSpec& Header, UsTime Start);

// A data block holding Samples: their count must be a multiple of the
// compression code (1, 2 or 4) and at most 250 records; every difference
// must fit the code's width. Difference 0 is stored as 0.
YcfBlock MakeDataBlock(const YcfHeaderSpec& Header, std::span<const int32_t> Samples);

// A block written field by field without checks: RecordCount is stored as
// given (even above 250), Differences are stored with the width of the
// compression code (32-bit for invalid codes) as far as the data area holds
// them, and LastValue behind min(RecordCount, 250) records.
YcfBlock MakeRawBlock(const YcfHeaderSpec& Header, uint8_t RecordCount, int32_t FirstValue,
                      std::span<const int32_t> Differences, int32_t LastValue);

// A status block (rate code 0); bytes 12-1023 are filled with Fill.
YcfBlock MakeStatusBlock(uint32_t SystemId, uint32_t StreamId, uint32_t TimeCode, uint8_t Fill = 0);

struct YcfStreamSpec {
  uint32_t SystemId = 0;
  uint32_t StreamId = 0;
  uint8_t RateCode = 100;
  uint8_t Byte12 = 0;
};

// Splits a sample series starting at Start into consecutive data blocks, each
// BlockEnd equal to the next BlockStart, choosing per block the narrowest
// compression that holds the most samples. Throws when a block start cannot
// be expressed by a time code and fraction numerator.
std::vector<YcfBlock> MakeStream(const YcfStreamSpec& Stream, UsTime Start,
                                 std::span<const int32_t> Samples);

// Writes the blocks one after the other to a new file.
void WriteYcfFile(const std::string& Path, std::span<const YcfBlock> Blocks);

}  // namespace drumlin
