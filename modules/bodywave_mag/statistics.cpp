// av and sd: average of n single-precision values, and their standard
// deviation about a mean that the caller gives (divisor n). The sums run in
// single precision from the first value to the last.
#include <math.h>

#include <cstdint>

extern "C" void av_(const float* values, const int32_t* n, float* average) {
  float sum = 0.0f;
  for (int32_t i = 0; i < *n; ++i) sum = sum + values[i];
  *average = sum / static_cast<float>(*n);
}

extern "C" void sd_(const float* values, const int32_t* n, const float* mean, float* deviation) {
  float sum = 0.0f;
  for (int32_t i = 0; i < *n; ++i) {
    const float d = values[i] - *mean;
    sum = sum + d * d;
  }
  *deviation = sqrtf(sum / static_cast<float>(*n));
}
