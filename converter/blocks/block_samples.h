// Rebuilds the samples of a converted data block in one pass: the first value
// followed by the running sum of the differences, wrapping around on 32 bits
// like the digitiser.
#pragma once

#include <cstdint>

#include "blocks/ycf_block.h"

namespace drumlin {

// Most samples a block can claim: compression code 4 times a record count of 255.
inline constexpr int kMaxBlockSamples = 4 * 255;

// Writes CompressionCode * RecordCount samples into Samples and returns their
// count (0 for a block without samples or with an invalid compression code).
// Differences past the 250 records a block holds count as 0, as Difference
// reads them.
int RebuildBlockSamples(const YcfBlock& Block, int32_t (&Samples)[kMaxBlockSamples]);

}  // namespace drumlin
