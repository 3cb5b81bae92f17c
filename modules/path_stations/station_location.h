// Station coordinates from the package's station look-up, and whether a
// returned location can be plotted.
#pragma once

#include <cstddef>

extern "C" {
// The package's look-up: station code (5 characters) and option text
// (1 character) in; latitude, longitude and elevation out.
void stat_loc_(const char* station, const char* option, float* lat, float* lon, float* elev,
               size_t station_len, size_t option_len);
}

namespace path_stations {

// A location is missing when the look-up gives nothing usable: both
// coordinates exactly 0.0 (what it returns for an unknown station), a
// coordinate that is not a finite number, a latitude outside -90..90 or a
// longitude outside -360..360. Southern and western stations are usable.
bool location_usable(float lat, float lon);

}  // namespace path_stations
