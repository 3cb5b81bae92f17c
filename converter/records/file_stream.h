// A thin file stream over a POSIX descriptor: opened by name and mode, writes
// whole buffers or raises the stream's write error, closes on destruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace drumlin {

enum class StreamMode {
  OpenReadWrite,  // an existing file, read and write, positioned at its first byte
  Create,         // a new file, or an existing one truncated to length 0
};

class FileStream {
 public:
  // Raises StreamOpenError (OpenReadWrite) or StreamCreateError (Create).
  FileStream(const std::string& FileName, StreamMode Mode);
  ~FileStream();
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  // Writes all Size bytes or raises StreamWriteError.
  void WriteBuffer(const void* Data, std::size_t Size);

  // Cuts a regular file to the bytes written through this stream, so that an
  // older, longer file leaves nothing behind. Other files are left alone.
  void TruncateToWritten();

  const std::string& FileName() const { return FileName_; }

 private:
  std::string FileName_;
  int Fd_ = -1;
  uint64_t Written_ = 0;
};

}  // namespace drumlin
