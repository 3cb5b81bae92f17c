#include "testsupport/reference_block.h"

namespace drumlin::test {

int32_t Difference(const YcfBlock& Block, int Index) {
  const uint8_t Code = CompressionCode(Block);
  if (!IsUsableCompressionCode(Code)) return 0;
  if (Index < 0 || static_cast<std::size_t>(Index) >= Code * CappedRecordCount(Block)) return 0;
  const uint8_t* At = Block.Bytes + kDataOffset + static_cast<std::size_t>(Index) * 4 / Code;
  switch (Code) {
    case 1: return LoadBeSigned<int32_t>(At);
    case 2: return LoadBeSigned<int16_t>(At);
    default: return LoadBeSigned<int8_t>(At);
  }
}

UsTime BlockEnd(const YcfBlock& Block) { return BlockStart(Block) + BlockDuration(Block); }

int RebuildBlockSamples(const YcfBlock& Block, int32_t (&Samples)[kMaxBlockSamples]) {
  if (!IsUsableCompressionCode(CompressionCode(Block))) return 0;
  const int Count = SampleCountClaimed(Block);
  uint32_t Value = static_cast<uint32_t>(FirstValue(Block));
  for (int I = 0; I < Count; ++I) {
    if (I > 0) Value += static_cast<uint32_t>(Difference(Block, I));
    Samples[I] = static_cast<int32_t>(Value);
  }
  return Count;
}

}  // namespace drumlin::test
