/* Echo and line-buffering flags of the terminal on standard input, for the
 * Fortran program run under a pseudo-terminal. */
#include <stdint.h>
#include <termios.h>

void terminal_modes_(int32_t* echo_on, int32_t* canonical) {
  struct termios modes;
  if (tcgetattr(0, &modes) != 0) {
    *echo_on = -1;
    *canonical = -1;
    return;
  }
  *echo_on = (modes.c_lflag & ECHO) != 0;
  *canonical = (modes.c_lflag & ICANON) != 0;
}
