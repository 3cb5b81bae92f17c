// Angles written as [sign] degrees [: minutes [: seconds]].
//
// Only colons separate the fields; each field is converted as atof converts
// it, so it stops at the first character that cannot continue a number.
// Minutes and seconds are added as they are (fractional, negative or larger
// than 59). The leading sign applies to the whole angle, so -0:30 is -0.5.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fortran_io/fixed_text.h"

extern "C" double atoanglexx(const char* text) {
  double sign = 1.0;
  if (*text == '+') ++text;
  if (*text == '-') {
    sign = -1.0;
    ++text;
  }
  const double degrees = atof(text);
  double minutes = 0.0;
  double seconds = 0.0;
  if (const char* first = strchr(text, ':')) {
    minutes = atof(first + 1);
    if (const char* second = strchr(first + 1, ':')) seconds = atof(second + 1);
  }
  return ((seconds / 60.0 + minutes) / 60.0 + degrees) * sign;
}

// The caller's fixed-length text, cut at its hidden length (or at a NUL
// within it), as a terminated copy. Trailing blanks stop each conversion;
// leading blanks hide the sign from the sign rule.
extern "C" double atoangle_(const char* text, int32_t text_len) {
  char* work = fixed_text::terminated_copy(text, fixed_text::length(text_len));
  if (work == nullptr) return 0.0;
  const double angle = atoanglexx(work);
  free(work);
  return angle;
}
