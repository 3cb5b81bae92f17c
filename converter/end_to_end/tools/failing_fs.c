/* A file system of one file that fails to read, for the tests of inputs
 * whose disk fails under them: it shows the backing file as "bad.YCF",
 * and every read at or beyond the failing offset ends with an input/output
 * error, as a bad sector does. Reads bypass the page cache, so that each
 * read of the program under test reaches the file system as it was made.
 *
 *   failing_fs BACKING_FILE FAILING_OFFSET MOUNTPOINT
 *
 * Runs in the foreground until the mount point is unmounted. */
#define FUSE_USE_VERSION 35
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static const char kName[] = "/bad.YCF";
static int Backing = -1;
static off_t BackingSize = 0;
static off_t FailingOffset = 0;

static int GetAttributes(const char* Path, struct stat* Info, struct fuse_file_info* File) {
  (void)File;
  memset(Info, 0, sizeof *Info);
  if (strcmp(Path, "/") == 0) {
    Info->st_mode = S_IFDIR | 0555;
    Info->st_nlink = 2;
    return 0;
  }
  if (strcmp(Path, kName) != 0) return -ENOENT;
  Info->st_mode = S_IFREG | 0444;
  Info->st_nlink = 1;
  Info->st_size = BackingSize;
  return 0;
}

static int ReadDirectory(const char* Path, void* Buffer, fuse_fill_dir_t Fill, off_t Offset,
                         struct fuse_file_info* File, enum fuse_readdir_flags Flags) {
  (void)Offset;
  (void)File;
  (void)Flags;
  if (strcmp(Path, "/") != 0) return -ENOENT;
  Fill(Buffer, ".", NULL, 0, 0);
  Fill(Buffer, "..", NULL, 0, 0);
  Fill(Buffer, kName + 1, NULL, 0, 0);
  return 0;
}

static int Open(const char* Path, struct fuse_file_info* File) {
  if (strcmp(Path, kName) != 0) return -ENOENT;
  if ((File->flags & O_ACCMODE) != O_RDONLY) return -EACCES;
  File->direct_io = 1;
  return 0;
}

static int Read(const char* Path, char* Buffer, size_t Size, off_t Offset,
                struct fuse_file_info* File) {
  (void)Path;
  (void)File;
  if (Offset >= FailingOffset) return -EIO;
  if ((off_t)Size > FailingOffset - Offset) Size = (size_t)(FailingOffset - Offset);
  const ssize_t Done = pread(Backing, Buffer, Size, Offset);
  return Done < 0 ? -errno : (int)Done;
}

static const struct fuse_operations kOperations = {
    .getattr = GetAttributes,
    .open = Open,
    .read = Read,
    .readdir = ReadDirectory,
};

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: failing_fs BACKING_FILE FAILING_OFFSET MOUNTPOINT\n");
    return 2;
  }
  Backing = open(argv[1], O_RDONLY);
  struct stat Info;
  if (Backing < 0 || fstat(Backing, &Info) != 0) {
    perror(argv[1]);
    return 1;
  }
  BackingSize = Info.st_size;
  FailingOffset = (off_t)strtoll(argv[2], NULL, 10);
  char* Arguments[] = {argv[0], "-f", "-s", argv[3], NULL};
  return fuse_main(4, Arguments, &kOperations, NULL);
}
