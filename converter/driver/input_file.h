// The input file of one conversion, read-only and closed on every way out.
// Blocks are handed out in place from a buffer of whole blocks filled by
// large reads, so the conversion streams in constant memory with one system
// call per 256 blocks and converts each block where it was read.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>

#include "blocks/ycf_block.h"

namespace drumlin {

class InputFile {
 public:
  explicit InputFile(const std::string& Name);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return Fd_ >= 0; }
  // Whether Name (links followed) is this very file.
  bool IsSameFileAs(const std::string& Name) const;

  // The next whole block, valid until the next call; null when a short or
  // failed read ends the input.
  YcfBlock* NextBlock();

 private:
  static constexpr std::size_t kBufferBlocks = 256;
  static constexpr std::size_t kBufferSize = kBufferBlocks * kYcfBlockSize;
  static_assert(sizeof(YcfBlock) == kYcfBlockSize, "blocks lie back to back in the buffer");

  // Keeps the unread tail and reads until at least one whole block is held.
  bool Refill();
  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(Blocks_.get()); }

  int Fd_;
  dev_t Device_ = 0;
  ino_t Inode_ = 0;
  // Allocated once per file, not on the stack: a small stack is enough.
  std::unique_ptr<YcfBlock[]> Blocks_;
  std::size_t Filled_ = 0;
  std::size_t Next_ = 0;
};

}  // namespace drumlin
