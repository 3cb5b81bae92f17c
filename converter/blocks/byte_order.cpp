#include "blocks/byte_order.h"

#include <utility>

namespace drumlin {

uint32_t Swap32(uint32_t Value) {
  return (Value >> 24) | ((Value >> 8) & 0x0000FF00u) | ((Value << 8) & 0x00FF0000u) |
         (Value << 24);
}

void Swap32InPlace(void* Location) {
  auto* Bytes = static_cast<uint8_t*>(Location);
  std::swap(Bytes[0], Bytes[3]);
  std::swap(Bytes[1], Bytes[2]);
}

void Swap16InPlace(void* Location) {
  auto* Bytes = static_cast<uint8_t*>(Location);
  std::swap(Bytes[0], Bytes[1]);
}

}  // namespace drumlin
