// Whole files in and out of memory, for tests that compare bytes.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace drumlin::test {

inline std::string ReadWholeFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out << Bytes;
}

}  // namespace drumlin::test
