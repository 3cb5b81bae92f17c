// Text forms of the system and stream identifiers of a block, and the
// three-letter channel code derived from the stream identifier and the rate.
#pragma once

#include <cstdint>
#include <string>

#include "blocks/ycf_block.h"

namespace drumlin {

// Base-36 text ("0".."9", "A".."Z"), 1 to 6 characters, no leading zeros.
// With bit 31 set the top bits carry other information and are dropped.
std::string Base36Id(uint32_t Id);
// True when bit Bit (0..31) of Value is 1.
bool BitIsSet(uint32_t Value, int Bit);
// Band, instrument and orientation letters of a converted block's stream.
std::string ChannelCode(const YcfBlock& Block);

}  // namespace drumlin
