#include "phase_selection.h"

#include <cstring>

#include "event_reading_area.h"
#include "fortran_io/unit_io.h"

namespace path_stations {

float reading_weight(const char* weight_text) {
  return unitio::read_real(weight_text, event_reading::kWeightLength, "(f2.1)");
}

bool phase_name_matches(const char* phase_name, const char* list_entry, int32_t prefix_length) {
  size_t n = prefix_length > 0 ? static_cast<size_t>(prefix_length) : 0;
  if (n > event_reading::kPhaseNameLength) n = event_reading::kPhaseNameLength;
  return std::memcmp(phase_name, list_entry, n) == 0;
}

}  // namespace path_stations
