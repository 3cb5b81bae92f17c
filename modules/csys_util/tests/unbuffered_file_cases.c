/* Unbuffered open and read with arguments by value, and the global text
 * buffer the module defines. */
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int32_t new_open(const char* path, int32_t flags);
int32_t new_read(int32_t fd, void* buffer, int32_t count);
extern char envtext[255];

static int failures = 0;

static void check(const char* label, int condition) {
  if (!condition) {
    printf("FAIL %s\n", label);
    ++failures;
  }
}

int main(void) {
  const char* path = "new_open_created.bin";
  unlink(path);

  /* A created file gets 0666 less the umask. */
  const mode_t umasks[] = {022, 077, 0};
  const mode_t modes[] = {0644, 0600, 0666};
  for (size_t i = 0; i < sizeof umasks / sizeof umasks[0]; ++i) {
    umask(umasks[i]);
    const int fd = new_open(path, O_CREAT | O_WRONLY | O_TRUNC);
    check("create: descriptor", fd >= 0);
    struct stat st;
    check("create: stat", fstat(fd, &st) == 0);
    if ((st.st_mode & 0777) != modes[i]) {
      printf("FAIL create under umask %03o: mode %03o\n", (unsigned)umasks[i],
             (unsigned)(st.st_mode & 0777));
      ++failures;
    }
    close(fd);
    unlink(path);
  }
  umask(022);

  /* Write seven bytes, then read them back in pieces until end of file. */
  int fd = new_open(path, O_CREAT | O_WRONLY);
  check("write: descriptor", fd >= 0);
  check("write: seven bytes", write(fd, "seismic", 7) == 7);
  close(fd);
  fd = new_open(path, O_RDONLY);
  check("read: descriptor", fd >= 0);
  char buffer[8] = "########";
  check("read: first four", new_read(fd, buffer, 4) == 4);
  check("read: first four bytes", memcmp(buffer, "seis####", 8) == 0);
  check("read: last three", new_read(fd, buffer, 4) == 3);
  check("read: last three bytes", memcmp(buffer, "mics####", 8) == 0);
  check("read: end of file", new_read(fd, buffer, 4) == 0);
  errno = 0;
  check("read: negative count", new_read(fd, buffer, -1) == -1 && errno == EINVAL);
  close(fd);

  /* Errors come back as -1 with the system's error code. */
  errno = 0;
  check("missing file", new_open("no_such_dir/no_such_file", O_RDONLY) == -1 && errno == ENOENT);
  errno = 0;
  check("read from a closed descriptor", new_read(fd, buffer, 4) == -1 && errno == EBADF);
  errno = 0;
  check("exclusive create of an existing file",
        new_open(path, O_CREAT | O_EXCL | O_WRONLY) == -1 && errno == EEXIST);
  unlink(path);

  /* The global text is zero at program start and 255 bytes wide. */
  int all_zero = 1;
  for (int i = 0; i < 255; ++i) all_zero = all_zero && envtext[i] == 0;
  check("envtext zero at start", all_zero);

  return failures == 0 ? 0 : 1;
}
