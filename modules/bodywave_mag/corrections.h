// Station and source-region lookups in the magnitude tables.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mbn {

// Entry (from 1) of the first station whose code equals the station text,
// taken as blank-padded to five characters; 0 when there is none.
int32_t find_station(const char* station, size_t station_len);

// Region (from 1) of the first source region that contains the epicentre,
// bounds included; 0 when there is none (also for a not-a-number coordinate).
int32_t find_source_region(float coordinate1, float coordinate2);

// The corrections of an entry for a phase (1 = Pn, 2 = Sn); the not-found
// values (0.0 for a station, -999.0 for a region) when the entry is 0 or the
// phase is neither.
float station_correction(int32_t entry, int32_t phase);
float source_correction(int32_t region, int32_t phase);

}  // namespace mbn
