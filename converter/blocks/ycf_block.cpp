#include "blocks/ycf_block.h"

namespace drumlin {
namespace {

// Turns Count big-endian fields of type Field from Offset on into host order.
template <typename Field>
void FieldsToHostOrder(YcfBlock& Block, std::size_t Offset, std::size_t Count) {
  uint8_t* At = Block.Bytes + Offset;
  for (std::size_t I = 0; I < Count; ++I, At += sizeof(Field)) {
    if constexpr (sizeof(Field) == 2)
      StoreNative<uint16_t>(At, LoadBe16(At));
    else
      StoreNative<uint32_t>(At, LoadBe32(At));
  }
}

}  // namespace

void ConvertBlock(YcfBlock& Block) {
  FieldsToHostOrder<uint32_t>(Block, kSystemIdOffset, 3);  // system id, stream id, time code
  if (SampleRateCode(Block) == 0) return;                  // status block: the rest stays as read
  FieldsToHostOrder<uint32_t>(Block, kFirstValueOffset, 1);
  FieldsToHostOrder<uint32_t>(Block, LastValueOffset(Block), 1);
  const std::size_t Records = CappedRecordCount(Block);
  switch (CompressionCode(Block)) {
    case 1: FieldsToHostOrder<uint32_t>(Block, kDataOffset, Records); break;
    case 2: FieldsToHostOrder<uint16_t>(Block, kDataOffset, 2 * Records); break;
    default: break;  // 8-bit differences need nothing; invalid codes stay as read
  }
}

}  // namespace drumlin
