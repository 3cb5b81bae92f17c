// One key press from the terminal: echo and line buffering are switched off
// for the read, so the key counts at once and is not shown, and switched on
// again afterwards. At end of input the key is the byte 0xFF.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" void readonekey_(char* key, int32_t key_len) {
  (void)system("stty -echo; stty cbreak");
  const int c = getchar();
  if (key_len >= 1) key[0] = c == EOF ? static_cast<char>(0xFF) : static_cast<char>(c);
  (void)system("stty echo; stty -cbreak");
}
