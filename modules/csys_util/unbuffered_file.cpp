// Unbuffered file access for callers that pass plain values.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

extern "C" {

// A file created here gets the mode 0666 less the process's umask.
int32_t new_open(const char* path, int32_t flags) {
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) return open(path, flags, 0666);
  return open(path, flags);
}

int32_t new_read(int32_t fd, void* buffer, int32_t count) {
  if (count < 0) {
    errno = EINVAL;
    return -1;
  }
  return static_cast<int32_t>(read(fd, buffer, static_cast<size_t>(count)));
}
}
