// The two plotting layouts of an epicentre-to-station path.
#pragma once

#include <cstdint>

namespace path_stations {

struct PathEnds {
  float epicentre_lat;
  float epicentre_lon;
  float station_lat;
  float station_lon;
};

// Writes one path on the caller's unit. Layout 1: "   2" (two points), then
// "(4f8.3)" with latitude before longitude. Layout 2: ">>", then two lines
// "(2f10.3)", longitude before latitude. Any other layout writes nothing.
// Numbers too wide for their fields come out as asterisks.
void write_path(int32_t unit, int32_t layout, const PathEnds& path);

}  // namespace path_stations
