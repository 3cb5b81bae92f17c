#include "station_location.h"

namespace path_stations {

bool location_usable(float lat, float lon) {
  if (lat == 0.0f && lon == 0.0f) return false;
  // Written so that a NaN fails every comparison; infinities fall outside.
  return lat >= -90.0f && lat <= 90.0f && lon >= -360.0f && lon <= 360.0f;
}

}  // namespace path_stations
