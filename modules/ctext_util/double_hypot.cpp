// The Euclidean norm of two reals, computed and returned in double precision
// by the C library's hypot (which avoids undue overflow and underflow).
#include <cmath>

extern "C" double hypot_(const float* x, const float* y) {
  return std::hypot(static_cast<double>(*x), static_cast<double>(*y));
}
