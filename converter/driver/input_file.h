// The input file of one conversion, read-only and closed on every way out.
// Blocks are read by large reads into a buffer of whole blocks and handed
// out in place, valid until the next one is asked for, so the conversion
// streams in constant memory. Reads never fault: a file that shrinks, goes
// away or fails to read while it is converted simply ends, and a failed
// read leaves its reason for the caller to report.
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
  // Its size when opened; 0 for what is no regular file (a FIFO, say).
  uint64_t Size() const { return Size_; }
  // Whether Name (links followed) is this very file.
  bool IsSameFileAs(const std::string& Name) const;

  // The next whole block; null when the input ends (a trailing partial
  // block and a failed read end it too).
  const YcfBlock* NextBlock();

  // The system's error number of the read that ended the input; 0 when it
  // ended at its end of file.
  int ReadError() const { return ReadError_; }

 private:
  // Bytes asked for by one read: large enough that reads cost little, small
  // enough that the blocks are still in the processor's cache when packed.
  static constexpr std::size_t kBufferSize = 128 * kYcfBlockSize;
  static_assert(sizeof(YcfBlock) == kYcfBlockSize, "blocks lie back to back");

  // Keeps the unread tail and reads until at least one whole block is held.
  bool Refill();

  int Fd_;
  dev_t Device_ = 0;
  ino_t Inode_ = 0;
  uint64_t Size_ = 0;
  int ReadError_ = 0;
  std::size_t Filled_ = 0;  // bytes in the buffer
  std::size_t Next_ = 0;    // the next block's offset in it
  std::unique_ptr<YcfBlock[]> Buffer_;
};

}  // namespace drumlin
