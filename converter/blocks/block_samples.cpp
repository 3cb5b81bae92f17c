#include "blocks/block_samples.h"

#include <cstring>

namespace drumlin {

namespace {

template <typename Field>
uint32_t RunningSum(const uint8_t* Data, int From, int To, uint32_t Value, int32_t* Samples) {
  for (int I = From; I < To; ++I) {
    Field Diff;
    std::memcpy(&Diff, Data + sizeof(Field) * static_cast<std::size_t>(I), sizeof Diff);
    Value += static_cast<uint32_t>(static_cast<int32_t>(Diff));
    Samples[I] = static_cast<int32_t>(Value);
  }
  return Value;
}

}  // namespace

int RebuildBlockSamples(const YcfBlock& Block, int32_t (&Samples)[kMaxBlockSamples]) {
  const int Code = CompressionCode(Block);
  if (Code != 1 && Code != 2 && Code != 4) return 0;
  const int Count = Code * RecordCount(Block);
  if (Count == 0) return 0;
  const int Stored =
      Code * (RecordCount(Block) < kMaxRecordCount ? RecordCount(Block) : kMaxRecordCount);
  const uint8_t* Data = Block.Bytes + kDataOffset;
  uint32_t Value = static_cast<uint32_t>(FirstValue(Block));
  Samples[0] = static_cast<int32_t>(Value);
  switch (Code) {
    case 1: Value = RunningSum<int32_t>(Data, 1, Stored, Value, Samples); break;
    case 2: Value = RunningSum<int16_t>(Data, 1, Stored, Value, Samples); break;
    default: Value = RunningSum<int8_t>(Data, 1, Stored, Value, Samples); break;
  }
  for (int I = Stored > 1 ? Stored : 1; I < Count; ++I) Samples[I] = static_cast<int32_t>(Value);
  return Count;
}

}  // namespace drumlin
