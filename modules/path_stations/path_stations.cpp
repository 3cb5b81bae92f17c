// path_stations: for the event in the package's event reading area, selects
// the phase readings of chosen names and sufficient weight, collects each
// located station once in the caller's list and writes one epicentre-to-
// station path per selected reading on the caller's unit.
#include <cstdint>

#include "event_reading_area.h"
#include "path_layout.h"
#include "phase_selection.h"
#include "station_list.h"
#include "station_location.h"

namespace {

constexpr size_t kListEntryLength = 8;

// Working values of the routine (static, as in the package: not reentrant).
float slat = 0.0f;
float slon = 0.0f;
float elev = 0.0f;
float weight = 0.0f;

}  // namespace

// The hidden lengths of phase_list and stations are not needed: the
// elements are always 8 and 5 characters long.
extern "C" void path_stations_(const int32_t* unit, const char* phase_list, const int32_t* nlist,
                               const int32_t* phase_len, const float* min_weight, int32_t* npath,
                               const int32_t* mode, char* stations, float* station_lat,
                               float* station_lon, int32_t* nstations, int32_t /*phase_list_len*/,
                               int32_t /*stations_len*/) {
  using namespace path_stations;
  namespace area = path_stations::event_reading;
  const StationList list{stations, station_lat, station_lon, nstations};

  *npath = 0;
  const int32_t readings = area::phase_count();
  for (int32_t i = 1; i <= readings; ++i) {
    weight = reading_weight(area::weight_text(i));
    for (int32_t k = 0; k < *nlist; ++k) {
      const char* entry = phase_list + kListEntryLength * static_cast<size_t>(k);
      if (!phase_name_matches(area::phase_name(i), entry, phase_len[k])) continue;
      if (!(weight >= *min_weight)) continue;
      stat_loc_(area::station_code(i), "0", &slat, &slon, &elev, area::kStationLength, 1);
      if (!location_usable(slat, slon) || !area::has_epicentre()) continue;
      add_station_once(list, area::station_code(i), slat, slon);
      write_path(*unit, *mode,
                 {area::epicentre_latitude(), area::epicentre_longitude(), slat, slon});
      *npath += 1;
    }
  }
}
