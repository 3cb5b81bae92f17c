/* Standard-stream plumbing for the Fortran caller programs: standard input
 * taken from a file, standard output captured in a file, and a directory's
 * own entry order as the system yields it. Called by reference with hidden
 * lengths; paths are NUL-terminated by the caller. */
#include <dirent.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

void redirect_stdin_(const char* path, int32_t path_len) {
  (void)path_len;
  if (freopen(path, "r", stdin) == NULL) {
    perror(path);
    exit(2);
  }
}

static int saved_stdout = -1;

void capture_stdout_begin_(const char* path, int32_t path_len) {
  (void)path_len;
  fflush(stdout);
  saved_stdout = dup(1);
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (saved_stdout < 0 || fd < 0 || dup2(fd, 1) < 0) {
    perror(path);
    exit(2);
  }
  close(fd);
}

void capture_stdout_end_(void) {
  fflush(stdout);
  dup2(saved_stdout, 1);
  close(saved_stdout);
}

/* The name of the index-th entry (from 1) that readdir yields, blank-padded;
 * all blanks when there is no such entry. */
void dir_entry_name_(const char* path, const int32_t* index, char* name, int32_t path_len,
                     int32_t name_len) {
  (void)path_len;
  memset(name, ' ', (size_t)name_len);
  DIR* dir = opendir(path);
  if (dir == NULL) return;
  int32_t i = 0;
  struct dirent* entry;
  while ((entry = readdir(dir)) != NULL) {
    if (++i == *index) {
      const size_t length = strlen(entry->d_name);
      memcpy(name, entry->d_name, length < (size_t)name_len ? length : (size_t)name_len);
      break;
    }
  }
  closedir(dir);
}
