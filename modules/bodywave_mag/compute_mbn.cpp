// compute_mbn: the regional body-wave magnitude mbn of one Pn or Sn
// amplitude reading. Every step is single precision, in the order of the
// magnitude formula
//   mbn = log10(A) - a * log10(b / distance) + station corr. + source corr. + c
// so that the result agrees bit for bit with the package's own arithmetic.
#include <math.h>

#include <cstdint>

#include "corrections.h"
#include "fortran_io/fixed_text.h"
#include "fortran_io/unit_io.h"
#include "magnitude_tables.h"

namespace {

constexpr float kLongestPeriod = 2.0f;

bool within(float v, const float* window) { return window[0] <= v && v <= window[1]; }

}  // namespace

extern "C" float compute_mbn_(const float* amplitude, const float* period, const float* coordinate1,
                              const float* coordinate2, const float* distance,
                              const float* group_velocity, const char* station, float* station_corr,
                              float* source_corr, const float* high_frequency,
                              int32_t station_len) {
  *station_corr = 0.0f;
  *source_corr = 0.0f;

  // A not-a-number period is not above the limit and passes.
  if (*period > kLongestPeriod) {
    unitio::list_text_real(unitio::kStandardOutput, " period too long for mbn T= ", *period);
    return mbn::kMissing;
  }

  // Pn window first: a velocity in both windows is Pn.
  const float v = *group_velocity;
  int32_t phase;
  const float* scale;
  if (within(v, mbn2_.gvel_pn)) {
    phase = mbn::kPhasePn;
    scale = mbn2_.scale_mbpn;
  } else if (within(v, mbn2_.gvel_sn)) {
    phase = mbn::kPhaseSn;
    scale = mbn2_.scale_mbsn;
  } else {
    return mbn::kMissing;
  }

  *station_corr =
      mbn::station_correction(mbn::find_station(station, fixed_text::length(station_len)), phase);
  // An epicentre in no source region reports -999.0 to the caller but is
  // computed without a source correction.
  const int32_t region = mbn::find_source_region(*coordinate1, *coordinate2);
  *source_corr = mbn::source_correction(region, phase);

  // Any switch that is not 0.0, a not-a-number included, selects the
  // high-frequency Sn scale.
  if (phase == mbn::kPhaseSn && !(*high_frequency == 0.0f)) {
    unitio::list_text(unitio::kStandardOutput, " using hf version of mbsn for next reading ");
    scale = mbn2_.scale_mbsnhf;
  }

  const float a = scale[0];
  const float b = scale[1];
  const float c = scale[2];
  const float t1 = log10f(*amplitude);
  const float q = b / *distance;
  const float t2 = log10f(q);
  float m = t1 - a * t2;
  m = m + *station_corr;
  if (region != 0) m = m + *source_corr;
  m = m + c;
  return m;
}
