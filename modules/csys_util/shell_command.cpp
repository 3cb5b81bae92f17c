// Runs the first len characters of the caller's command text through the
// shell and returns the wait status that system reports (exit code times 256
// on a normal end, -1 when no shell can be started).
#include <cstdint>
#include <cstdlib>

#include "fortran_io/fixed_text.h"

extern "C" int32_t systemc_(const char* command, const int32_t* len, int32_t command_len) {
  // Never read beyond the caller's text, whatever count it passes.
  int32_t length = *len;
  if (length > command_len) length = command_len;
  if (length < 0) length = 0;
  char* copy = fixed_text::terminated_copy(command, static_cast<size_t>(length));
  if (copy == nullptr) return -1;  // as system does when no shell can be started
  const int status = system(copy);
  free(copy);
  return status;
}
