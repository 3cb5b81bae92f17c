// The number a base-36 identifier text stands for ("1234Z2" and so on):
// digits and upper-case letters, as the converter writes them.
#pragma once

#include <cstdint>
#include <string_view>

namespace drumlin::test {

inline constexpr uint32_t Base36Value(std::string_view Text) {
  uint32_t Value = 0;
  for (const char C : Text)
    Value = Value * 36 + static_cast<uint32_t>(C <= '9' ? C - '0' : C - 'A' + 10);
  return Value;
}

}  // namespace drumlin::test
