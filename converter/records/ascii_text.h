// Plain ASCII text handling shared by the switches and the export parameters:
// only the letters a to z change case, and the characters with codes 0 to 32
// count as blank.
#pragma once

#include <string>
#include <string_view>

namespace drumlin {

inline constexpr bool IsControlOrSpace(char C) { return static_cast<unsigned char>(C) <= 32; }

// Replaces the ASCII letters a to z by A to Z; nothing else changes.
std::string UpperAscii(std::string Text);

// Removes every leading and trailing character with a code of 32 or less.
std::string_view StripControls(std::string_view Text);

}  // namespace drumlin
