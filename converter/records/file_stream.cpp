#include "records/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "records/stream_error.h"

namespace drumlin {

FileStream::FileStream(const std::string& FileName, StreamMode Mode) : FileName_(FileName) {
  if (Mode == StreamMode::OpenReadWrite) {
    Fd_ = ::open(FileName.c_str(), O_RDWR | O_CLOEXEC);
    if (Fd_ < 0) throw StreamOpenError(FileName, errno);
  } else {
    Fd_ = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (Fd_ < 0) throw StreamCreateError(FileName, errno);
  }
}

FileStream::~FileStream() {
  if (Fd_ >= 0) ::close(Fd_);
}

void FileStream::WriteBuffer(const void* Data, std::size_t Size) {
  const auto* Bytes = static_cast<const uint8_t*>(Data);
  while (Size > 0) {
    const ssize_t Done = ::write(Fd_, Bytes, Size);
    if (Done < 0 && errno == EINTR) continue;
    if (Done <= 0) throw StreamWriteError();
    Bytes += Done;
    Size -= static_cast<std::size_t>(Done);
    Written_ += static_cast<uint64_t>(Done);
  }
}

void FileStream::TruncateToWritten() {
  struct stat Info {};
  if (::fstat(Fd_, &Info) != 0 || !S_ISREG(Info.st_mode)) return;
  if (static_cast<uint64_t>(Info.st_size) <= Written_) return;
  if (::ftruncate(Fd_, static_cast<off_t>(Written_)) != 0) throw StreamWriteError();
}

}  // namespace drumlin
