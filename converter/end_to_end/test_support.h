// Small helpers shared by the record and conversion tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>

#include "blocks/ycf_block.h"
#include "testsupport/ycf_writer.h"

namespace drumlin::test {

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the scope.
class TempDir {
 public:
  TempDir() {
    std::string Pattern = (std::filesystem::temp_directory_path() / "drumlin-XXXXXX").string();
    if (!::mkdtemp(Pattern.data())) throw std::runtime_error("mkdtemp failed");
    Path_ = Pattern;
  }
  ~TempDir() {
    std::error_code Ignored;
    std::filesystem::remove_all(Path_, Ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return Path_; }
  std::string File(const std::string& Name) const { return (Path_ / Name).string(); }

 private:
  std::filesystem::path Path_;
};

// The number a base-36 identifier text stands for ("1234Z2" and so on).
inline uint32_t Base36Value(const std::string& Text) {
  uint32_t Value = 0;
  for (char C : Text) Value = Value * 36 + static_cast<uint32_t>(C <= '9' ? C - '0' : C - 'A' + 10);
  return Value;
}

// A data block as ConvertBlock leaves it, ready for the record file.
inline YcfBlock ConvertedBlock(const YcfHeaderSpec& Header, std::span<const int32_t> Samples) {
  YcfBlock Block = MakeDataBlock(Header, Samples);
  ConvertBlock(Block);
  return Block;
}

inline std::string ReadWholeFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out << Bytes;
}

}  // namespace drumlin::test
