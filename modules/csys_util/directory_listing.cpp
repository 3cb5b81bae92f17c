// Lists a directory into the caller's array of name records: every entry,
// dot entries, hidden names and subdirectories included, taken in the
// directory's own order; entries beyond the array's capacity are reported
// and dropped; the kept records are then sorted.
#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "name_records.h"

namespace {

void ListDirectory(const char* path, char* names, int32_t capacity, int32_t* n) {
  DIR* directory = opendir(path);
  if (directory == nullptr) return;
  while (const dirent* entry = readdir(directory)) {
    if (*n < capacity) {
      csys_util::StoreNameRecord(names + static_cast<size_t>(*n) * csys_util::kNameRecordLength,
                                 entry->d_name);
      ++*n;
    } else {
      printf("--%s-- ERROR: Out of variable space, '%s' will not be listed\n", "", entry->d_name);
    }
  }
  csys_util::SortNameRecords(names, static_cast<size_t>(*n));
  closedir(directory);
}

}  // namespace

extern "C" void getfiles_(char* dir, const int32_t* dirlen, char* names, const int32_t* maxn,
                          int32_t* n, int32_t dir_len, int32_t /*names_len*/) {
  *n = 0;
  const int32_t path_length = *dirlen;
  if (path_length < 0) return;
  if (path_length < dir_len) {
    // The path ends in the caller's own text, right after its dirlen
    // characters.
    dir[path_length] = '\0';
    ListDirectory(dir, names, *maxn, n);
    return;
  }
  // No room for the terminator in the caller's text: work on a copy and
  // leave the caller's text alone.
  const size_t copied = static_cast<size_t>(dir_len > 0 ? dir_len : 0);
  char* path = static_cast<char*>(malloc(copied + 1));
  if (path == nullptr) return;
  memcpy(path, dir, copied);
  path[copied] = '\0';
  ListDirectory(path, names, *maxn, n);
  free(path);
}
