// The block readers as a seismologist states them, one difference at a time:
// the references that the tests hold the converter's block views against.
#pragma once

#include <cstdint>

#include "blocks/ycf_block.h"

namespace drumlin::test {

// The Index-th difference of a block, sign-extended; 0 for an invalid
// compression code and for an index outside the block's records.
int32_t Difference(const YcfBlock& Block, int Index);

// Start expected of the next block of the stream.
UsTime BlockEnd(const YcfBlock& Block);

// Most samples a block can claim: compression code 4 times a record count of 255.
inline constexpr int kMaxBlockSamples = 4 * 255;

// Writes CompressionCode * RecordCount samples into Samples, the first value
// followed by the running sum of Difference, wrapping around on 32 bits, and
// returns their count (0 for an invalid compression code).
int RebuildBlockSamples(const YcfBlock& Block, int32_t (&Samples)[kMaxBlockSamples]);

}  // namespace drumlin::test
