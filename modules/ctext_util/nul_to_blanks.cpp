// Turns a NUL-terminated text inside a fixed-length text into a blank-padded
// one: from the first NUL up to the end of the text every position becomes a
// blank. A text without a NUL is left alone.
#include <cstdint>

extern "C" void rpad_(char* text, int32_t text_len) {
  int32_t position = 0;
  while (position < text_len && text[position] != '\0') ++position;
  for (; position < text_len; ++position) text[position] = ' ';
}
