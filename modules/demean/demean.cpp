// demean: removes the mean (DC level) from a signal of single-precision
// samples, the mean taken over all samples or over a leading part of them.
#include <cstdint>

extern "C" void demean_(float* signal, int32_t* nmean, float* dc_level, const int32_t* nsamp) {
  if (*nmean == 0) *nmean = *nsamp;
  const int32_t count = *nmean;
  const float divisor = static_cast<float>(count);
  // Each sample is divided by the count before it is added, in single
  // precision, so that the result matches the package's own arithmetic
  // bit for bit (the sum is never divided at the end).
  float dc = 0.0f;
  for (int32_t i = 0; i < count; ++i) dc = signal[i] / divisor + dc;
  *dc_level = dc;
  for (int32_t i = 0; i < *nsamp; ++i) signal[i] = signal[i] - dc;
}
