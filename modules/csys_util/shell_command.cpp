// Runs the first len characters of the caller's command text through the
// shell and returns the wait status that system reports (exit code times 256
// on a normal end, -1 when no shell can be started).
#include <cstdint>
#include <cstdlib>

extern "C" int32_t systemc_(const char* command, const int32_t* len, int32_t command_len) {
  // Never read beyond the caller's text, whatever count it passes.
  int32_t length = *len;
  if (length > command_len) length = command_len;
  if (length < 0) length = 0;
  char* copy = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
  if (copy == nullptr) return -1;  // as system does when no shell can be started
  int32_t used = 0;
  while (used < length && command[used] != '\0') {
    copy[used] = command[used];
    ++used;
  }
  copy[used] = '\0';
  const int status = system(copy);
  free(copy);
  return status;
}
