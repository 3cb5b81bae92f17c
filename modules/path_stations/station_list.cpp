#include "station_list.h"

#include <cstring>

#include "event_reading_area.h"

namespace path_stations {

namespace {

constexpr size_t kCode = event_reading::kStationLength;

bool contains(const StationList& list, const char* code) {
  for (int32_t i = 0; i < *list.count; ++i)
    if (std::memcmp(list.codes + kCode * static_cast<size_t>(i), code, kCode) == 0) return true;
  return false;
}

}  // namespace

void add_station_once(const StationList& list, const char* code, float lat, float lon) {
  if (contains(list, code)) return;
  const size_t at = static_cast<size_t>(*list.count);
  std::memcpy(list.codes + kCode * at, code, kCode);
  list.lat[at] = lat;
  list.lon[at] = lon;
  *list.count += 1;
}

}  // namespace path_stations
