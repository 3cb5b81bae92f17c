#include "records/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "records/record_header.h"
#include "records/stream_error.h"

namespace drumlin {

namespace {

// The directory part of a file name ("." when it has none).
std::string DirectoryOf(const std::string& FileName) {
  const std::size_t Slash = FileName.rfind('/');
  if (Slash == std::string::npos) return ".";
  return Slash == 0 ? "/" : FileName.substr(0, Slash);
}

// A hidden name beside FileName for the new file, not yet taken; Attempt
// varies it.
std::string TemporaryName(const std::string& FileName, unsigned Attempt) {
  const std::size_t Slash = FileName.rfind('/');
  const std::string Directory = Slash == std::string::npos ? "" : FileName.substr(0, Slash + 1);
  // Short enough that the longest name still leaves room for the suffix.
  const std::string Base = FileName.substr(Slash == std::string::npos ? 0 : Slash + 1, 200);
  static const long Process = static_cast<long>(::getpid());
  char Suffix[48];
  std::snprintf(Suffix, sizeof Suffix, ".drumlin-%ld-%u-%lx", Process, Attempt,
                static_cast<unsigned long>(std::time(nullptr)));
  return Directory + "." + Base + Suffix;
}

bool IsUnsupportedTemporaryFile(int Error) {
  // Old kernels take the flag for a directory open; some file systems have
  // no unnamed files.
  return Error == EOPNOTSUPP || Error == EISDIR || Error == EINVAL;
}

// Whether an unnamed file can be given a name later through /proc (looked
// at once per program).
bool CanNameUnnamedFiles() {
  static const bool Can = ::access("/proc/self/fd", X_OK) == 0;
  return Can;
}

}  // namespace

std::string FileStream::TemporaryNameFor(unsigned Attempt) const {
  if (OwnTemporaryName_.empty()) return TemporaryName(FileName_, Attempt);
  ::unlink(OwnTemporaryName_.c_str());
  return OwnTemporaryName_;
}

FileStream::FileStream(const std::string& FileName, const std::string& OwnTemporaryName)
    : FileName_(FileName), OwnTemporaryName_(OwnTemporaryName) {
  struct stat Old {};
  if (::lstat(FileName.c_str(), &Old) == 0) {
    if (S_ISDIR(Old.st_mode)) throw StreamCreateError(FileName, EISDIR);
    if (S_ISREG(Old.st_mode)) {
      // An older output that cannot be opened for writing is not replaced.
      const int Probe =
          ::open(FileName.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
      if (Probe < 0) throw StreamCreateError(FileName, errno);
      ::close(Probe);
      Replaces_ = true;
      Mode_ = Old.st_mode & 07777;
    } else if (!S_ISLNK(Old.st_mode)) {
      Fd_ = ::open(FileName.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
      if (Fd_ < 0) throw StreamCreateError(FileName, errno);
      ThroughDevice_ = true;
      return;
    }
  } else if (errno != ENOENT) {
    throw StreamCreateError(FileName, errno);
  }

  // The new file is made with the usual permissions (the user's mask
  // applies); one that replaces an older file takes that file's bits.
  if (CanNameUnnamedFiles()) {
    Fd_ = ::open(DirectoryOf(FileName).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (Fd_ >= 0) return;
    if (!IsUnsupportedTemporaryFile(errno)) throw StreamCreateError(FileName, errno);
  }
  for (unsigned Attempt = 0;; ++Attempt) {
    TempName_ = TemporaryNameFor(Attempt);
    Fd_ = ::open(TempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (Fd_ >= 0) return;
    if (errno != EEXIST || !OwnTemporaryName_.empty()) {
      const int Error = errno;
      TempName_.clear();
      throw StreamCreateError(FileName, Error);
    }
  }
}

FileStream::~FileStream() { Discard(); }

void FileStream::Discard() {
  if (Fd_ >= 0) ::close(Fd_);
  Fd_ = -1;
  if (!TempName_.empty()) ::unlink(TempName_.c_str());
  TempName_.clear();
}

void FileStream::WriteBuffer(const void* Data, std::size_t Size) {
  const auto* Bytes = static_cast<const uint8_t*>(Data);
  while (Size > 0) {
    const ssize_t Done = ::write(Fd_, Bytes, Size);
    if (Done < 0 && errno == EINTR) continue;
    if (Done < 0) throw StreamWriteError(FileName_, errno);
    if (Done == 0) throw StreamWriteError(FileName_, ENOSPC);
    Bytes += Done;
    Size -= static_cast<std::size_t>(Done);
  }
}

void FileStream::TakeRecords(const uint8_t* Records, std::size_t Count) {
  WriteBuffer(Records, Count * kRecordLength);
}

void FileStream::CopyFrom(int Source, uint64_t Offset, uint64_t Length) {
  auto From = static_cast<off64_t>(Offset);
  while (Length > 0) {
    const ssize_t Done = ::copy_file_range(Source, &From, Fd_, nullptr, Length, 0);
    if (Done < 0 && errno == EINTR) continue;
    if (Done > 0) {
      Length -= static_cast<uint64_t>(Done);
      continue;
    }
    if (Done == 0) throw StreamWriteError(FileName_, EIO);  // the source ended early
    if (errno != EXDEV && errno != EINVAL && errno != EOPNOTSUPP && errno != ENOSYS)
      throw StreamWriteError(FileName_, errno);
    // No copy within the system here: through a buffer.
    uint8_t Buffer[64 * 1024];
    while (Length > 0) {
      const ssize_t Got = ::pread(Source, Buffer, std::min<uint64_t>(Length, sizeof Buffer), From);
      if (Got < 0 && errno == EINTR) continue;
      if (Got <= 0) throw StreamWriteError(FileName_, Got < 0 ? errno : EIO);
      WriteBuffer(Buffer, static_cast<std::size_t>(Got));
      From += Got;
      Length -= static_cast<uint64_t>(Got);
    }
  }
}

void FileStream::Fail(int Error) {
  Discard();
  throw StreamWriteError(FileName_, Error);
}

void FileStream::CloseOrFail() {
  const int Fd = Fd_;
  Fd_ = -1;
  if (::close(Fd) != 0) Fail(errno);
}

bool FileStream::LinkUnnamedAs(const std::string& Name) const {
  const std::string Self = "/proc/self/fd/" + std::to_string(Fd_);
  return ::linkat(AT_FDCWD, Self.c_str(), AT_FDCWD, Name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

void FileStream::Finish() {
  if (ThroughDevice_) return CloseOrFail();
  // Where an older file is replaced, its successor is on the disk before
  // the name moves, so that a crash cannot leave the name without data.
  if (Replaces_) {
    if (::fdatasync(Fd_) != 0) Fail(errno);
    if (::fchmod(Fd_, static_cast<mode_t>(Mode_)) != 0) Fail(errno);
  }
  if (TempName_.empty()) {
    // Where no file had the name, the unnamed file takes it at once: the
    // name shows the complete new file or nothing.
    if (!Replaces_ && LinkUnnamedAs(FileName_)) return CloseOrFail();
    // Otherwise it gets a hidden name beside the output first.
    for (unsigned Attempt = 0; TempName_.empty(); ++Attempt) {
      const std::string Name = TemporaryNameFor(Attempt);
      if (LinkUnnamedAs(Name))
        TempName_ = Name;
      else if (errno != EEXIST || !OwnTemporaryName_.empty())
        Fail(errno);
    }
  }
  CloseOrFail();
  if (::rename(TempName_.c_str(), FileName_.c_str()) != 0) Fail(errno);
  TempName_.clear();
}

}  // namespace drumlin
