// Which phase readings a path listing selects: by weight and by the leading
// characters of the phase name.
#pragma once

#include <cstdint>

namespace path_stations {

// The weight text of a reading read with "(f2.1)": "10" is 1.0, a blank text
// 0.0. A text that is not a number stops the calling program, as the
// runtime does for a read without status.
float reading_weight(const char* weight_text);

// True when the first `prefix_length` characters of the phase name equal
// those of the list entry. A negative length counts as 0 (every name
// matches); a length past the eight characters of a name compares all eight.
bool phase_name_matches(const char* phase_name, const char* list_entry, int32_t prefix_length);

}  // namespace path_stations
