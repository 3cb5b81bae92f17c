// Byte-order reversal of 32-bit values, shared by block input and record output.
#pragma once

#include <cstdint>

namespace drumlin {

uint32_t Swap32(uint32_t Value);
// Reverses the four bytes stored at Location (no alignment needed).
void Swap32InPlace(void* Location);
// Exchanges the two bytes stored at Location.
void Swap16InPlace(void* Location);

}  // namespace drumlin
