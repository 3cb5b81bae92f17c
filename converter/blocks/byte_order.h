// Byte order of the files: every multi-byte field of the YCF blocks read and
// of the miniSEED records written is big-endian; in memory values are native.
// The host's own order is found here once, and every load and store of a
// big-endian field goes through these helpers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace drumlin {

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big,
              "the host stores integers in one of the two plain byte orders");
inline constexpr bool kHostIsBigEndian = std::endian::native == std::endian::big;

inline constexpr uint16_t ByteSwap16(uint16_t Value) {
  return static_cast<uint16_t>(Value << 8 | Value >> 8);
}
inline constexpr uint32_t ByteSwap32(uint32_t Value) { return __builtin_bswap32(Value); }
inline constexpr uint64_t ByteSwap64(uint64_t Value) { return __builtin_bswap64(Value); }

// A native value in big-endian order, and back (the same reversal).
inline constexpr uint16_t BigEndian16(uint16_t Value) {
  return kHostIsBigEndian ? Value : ByteSwap16(Value);
}
inline constexpr uint32_t BigEndian32(uint32_t Value) {
  return kHostIsBigEndian ? Value : ByteSwap32(Value);
}

// Loads and stores at any alignment.
inline uint16_t LoadBe16(const uint8_t* At) {
  uint16_t Value;
  std::memcpy(&Value, At, sizeof Value);
  return BigEndian16(Value);
}
inline uint32_t LoadBe32(const uint8_t* At) {
  uint32_t Value;
  std::memcpy(&Value, At, sizeof Value);
  return BigEndian32(Value);
}
inline void StoreBe16(uint8_t* At, uint16_t Value) {
  Value = BigEndian16(Value);
  std::memcpy(At, &Value, sizeof Value);
}
inline void StoreBe32(uint8_t* At, uint32_t Value) {
  Value = BigEndian32(Value);
  std::memcpy(At, &Value, sizeof Value);
}

// A signed big-endian field of type Field (int8_t, int16_t or int32_t),
// sign-extended.
template <typename Field>
inline int32_t LoadBeSigned(const uint8_t* At) {
  if constexpr (sizeof(Field) == 1)
    return static_cast<int8_t>(*At);
  else if constexpr (sizeof(Field) == 2)
    return static_cast<int16_t>(LoadBe16(At));
  else
    return static_cast<int32_t>(LoadBe32(At));
}

}  // namespace drumlin
