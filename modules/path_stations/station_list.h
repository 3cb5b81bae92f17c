// The caller's list of collected stations: codes of five characters with
// their latitudes and longitudes, kept by the caller across events.
#pragma once

#include <cstdint>

namespace path_stations {

struct StationList {
  char* codes;  // 5 characters per station, no terminator
  float* lat;
  float* lon;
  int32_t* count;
};

// Appends the station unless its code (all five characters) is already
// among the first *count entries; a known station keeps its stored values.
void add_station_once(const StationList& list, const char* code, float lat, float lon);

}  // namespace path_stations
