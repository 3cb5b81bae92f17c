#include "driver/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace drumlin {

InputFile::InputFile(const std::string& Name) : Fd_(::open(Name.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (Fd_ < 0) return;
  struct stat Info {};
  if (::fstat(Fd_, &Info) == 0) {
    Device_ = Info.st_dev;
    Inode_ = Info.st_ino;
    if (S_ISREG(Info.st_mode)) {
      Size_ = static_cast<uint64_t>(Info.st_size);
      // The file is read once from start to end: read ahead generously.
      ::posix_fadvise(Fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
  }
  Buffer_.reset(new YcfBlock[kBufferSize / kYcfBlockSize]);
}

InputFile::~InputFile() {
  if (Fd_ >= 0) ::close(Fd_);
}

bool InputFile::IsSameFileAs(const std::string& Name) const {
  struct stat Info {};
  return ::stat(Name.c_str(), &Info) == 0 && Info.st_dev == Device_ && Info.st_ino == Inode_;
}

const YcfBlock* InputFile::NextBlock() {
  if (Filled_ - Next_ < kYcfBlockSize && !Refill()) return nullptr;
  const YcfBlock* Block = Buffer_.get() + Next_ / kYcfBlockSize;
  Next_ += kYcfBlockSize;
  return Block;
}

bool InputFile::Refill() {
  uint8_t* Bytes = reinterpret_cast<uint8_t*>(Buffer_.get());
  std::memmove(Bytes, Bytes + Next_, Filled_ - Next_);
  Filled_ -= Next_;
  Next_ = 0;
  while (Filled_ < kYcfBlockSize) {
    const ssize_t Done = ::read(Fd_, Bytes + Filled_, kBufferSize - Filled_);
    if (Done < 0 && errno == EINTR) continue;
    if (Done < 0) ReadError_ = errno;
    if (Done <= 0) return false;
    Filled_ += static_cast<std::size_t>(Done);
  }
  return true;
}

}  // namespace drumlin
