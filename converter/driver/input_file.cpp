#include "driver/input_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace drumlin {

InputFile::InputFile(const std::string& Name) : Fd_(::open(Name.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (Fd_ < 0) return;
  struct stat Info {};
  if (::fstat(Fd_, &Info) == 0) {
    Device_ = Info.st_dev;
    Inode_ = Info.st_ino;
    Mapped_ = S_ISREG(Info.st_mode);
    KnownSize_ = static_cast<uint64_t>(Info.st_size);
  }
  if (!Mapped_) Buffer_.reset(new YcfBlock[kBufferSize / kYcfBlockSize]);
}

InputFile::~InputFile() {
  Unmap();
  if (Fd_ >= 0) ::close(Fd_);
}

bool InputFile::IsSameFileAs(const std::string& Name) const {
  struct stat Info {};
  return ::stat(Name.c_str(), &Info) == 0 && Info.st_dev == Device_ && Info.st_ino == Inode_;
}

const YcfBlock* InputFile::NextBlock() {
  if (Filled_ - Next_ < kYcfBlockSize && !(Mapped_ ? MapNextWindow() : Refill())) return nullptr;
  const uint8_t* At = (Mapped_ ? Window_ : reinterpret_cast<const uint8_t*>(Buffer_.get())) + Next_;
  Next_ += kYcfBlockSize;
  return reinterpret_cast<const YcfBlock*>(At);
}

void InputFile::Unmap() {
  if (Window_) ::munmap(const_cast<uint8_t*>(Window_), WindowLength_);
  Window_ = nullptr;
}

bool InputFile::MapNextWindow() {
  // Windows hold whole blocks only, so a block never spans two of them.
  WindowStart_ += Filled_;
  Unmap();
  Filled_ = Next_ = 0;
  // The size is taken again whenever the windows reach the size known: a
  // file that grows is read on.
  if (KnownSize_ < WindowStart_ + kYcfBlockSize) {
    struct stat Info {};
    if (::fstat(Fd_, &Info) != 0) return false;
    KnownSize_ = static_cast<uint64_t>(Info.st_size);
    if (KnownSize_ <= WindowStart_) return false;
  }
  const uint64_t Left = KnownSize_ - WindowStart_;
  const std::size_t Length = static_cast<std::size_t>(std::min<uint64_t>(Left, kWindowSize));
  if (Length < kYcfBlockSize) return false;
  void* Map =
      ::mmap(nullptr, Length, PROT_READ, MAP_PRIVATE, Fd_, static_cast<off_t>(WindowStart_));
  if (Map == MAP_FAILED) {
    // Not mappable after all: read on from here.
    if (::lseek(Fd_, static_cast<off_t>(WindowStart_), SEEK_SET) < 0) return false;
    Mapped_ = false;
    Buffer_.reset(new YcfBlock[kBufferSize / kYcfBlockSize]);
    return Refill();
  }
  Window_ = static_cast<const uint8_t*>(Map);
  WindowLength_ = Length;
  Filled_ = Length - Length % kYcfBlockSize;
  return true;
}

bool InputFile::Refill() {
  uint8_t* Bytes = reinterpret_cast<uint8_t*>(Buffer_.get());
  std::memmove(Bytes, Bytes + Next_, Filled_ - Next_);
  Filled_ -= Next_;
  Next_ = 0;
  while (Filled_ < kYcfBlockSize) {
    const ssize_t Done = ::read(Fd_, Bytes + Filled_, kBufferSize - Filled_);
    if (Done < 0 && errno == EINTR) continue;
    if (Done <= 0) return false;
    Filled_ += static_cast<std::size_t>(Done);
  }
  return true;
}

}  // namespace drumlin
