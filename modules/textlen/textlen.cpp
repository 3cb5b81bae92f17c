// textlen: the used length of a text, the position of its last non-blank
// character. Only the blank (code 32) counts as empty; a text that is all
// blanks, or has no characters, gives 1.
#include <cstdint>

extern "C" int32_t textlen_(const char* text, int32_t text_len) {
  for (int32_t i = text_len; i >= 1; --i)
    if (text[i - 1] != ' ') return i;
  return 1;
}
