// Station and source-region corrections of the mbn magnitude.
#include "corrections.h"

#include "fortran_io/fixed_text.h"
#include "magnitude_tables.h"

namespace mbn {

namespace {

bool valid_phase(int32_t phase) { return phase == kPhasePn || phase == kPhaseSn; }

}  // namespace

int32_t find_station(const char* station, size_t station_len) {
  const size_t compared = station_len < kStationCodeLength ? station_len : kStationCodeLength;
  const int32_t count = usable_count(mbn2_.station_count, kMaxStations);
  for (int32_t j = 0; j < count; ++j) {
    if (fixed_text::equal(mbn1_.station_code[j], kStationCodeLength, station, compared))
      return j + 1;
  }
  return 0;
}

int32_t find_source_region(float coordinate1, float coordinate2) {
  const int32_t count = usable_count(mbn2_.source_count, kMaxSources);
  const auto& box = mbn2_.source_box;
  for (int32_t j = 0; j < count; ++j) {
    // Every comparison with a not-a-number is false, so such a point lies
    // in no region.
    if (box[0][j] <= coordinate2 && coordinate2 <= box[1][j] && box[2][j] <= coordinate1 &&
        coordinate1 <= box[3][j])
      return j + 1;
  }
  return 0;
}

float station_correction(int32_t entry, int32_t phase) {
  if (entry <= 0 || !valid_phase(phase)) return 0.0f;
  return mbn2_.station_corr[phase - 1][entry - 1];
}

float source_correction(int32_t region, int32_t phase) {
  if (region <= 0 || !valid_phase(phase)) return kMissing;
  return mbn2_.source_corr[phase - 1][region - 1];
}

}  // namespace mbn

extern "C" float get_station_correction_(const char* station, const int32_t* phase,
                                         int32_t station_len) {
  const int32_t entry = mbn::find_station(station, fixed_text::length(station_len));
  return mbn::station_correction(entry, *phase);
}

extern "C" float get_source_correction_(const float* coordinate1, const float* coordinate2,
                                        const int32_t* phase) {
  return mbn::source_correction(mbn::find_source_region(*coordinate1, *coordinate2), *phase);
}
