// The input file of one conversion, read-only and closed on every way out.
// Blocks are handed out in place, valid until the next one is asked for: a
// regular file is mapped into memory a window at a time, so its blocks are
// read where the page cache holds them, without a copy; anything else (a
// FIFO, say) is read into a buffer of whole blocks by large reads. Either
// way the conversion streams in constant memory.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
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

  // The next whole block; null when the input ends (a trailing partial
  // block and a failed read end it too).
  const YcfBlock* NextBlock();

 private:
  // Bytes of the file mapped at a time: a whole number of pages and blocks.
  static constexpr std::size_t kWindowSize = std::size_t{1} << 20;
  static constexpr std::size_t kBufferSize = 256 * kYcfBlockSize;
  static_assert(kWindowSize % kYcfBlockSize == 0 && kWindowSize % 65536 == 0);
  static_assert(sizeof(YcfBlock) == kYcfBlockSize, "blocks lie back to back");

  // Maps the window that follows the current one; false at the end.
  bool MapNextWindow();
  void Unmap();
  // Keeps the unread tail and reads until at least one whole block is held.
  bool Refill();

  int Fd_;
  dev_t Device_ = 0;
  ino_t Inode_ = 0;
  bool Mapped_ = false;       // a regular file, read through windows
  uint64_t KnownSize_ = 0;    // its size when last looked at
  uint64_t WindowStart_ = 0;  // file offset of the window
  const uint8_t* Window_ = nullptr;
  std::size_t WindowLength_ = 0;        // bytes mapped
  std::size_t Filled_ = 0;              // bytes of the window or buffer
  std::size_t Next_ = 0;                // the next block's offset in it
  std::unique_ptr<YcfBlock[]> Buffer_;  // for inputs that cannot be mapped
};

}  // namespace drumlin
