// Instants of the viewer: microseconds since 1970-01-01T00:00:00 UTC, the
// unit of libmseed's high-precision time, read from and written as ISO 8601
// text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace viewer {

using Instant = int64_t;
constexpr Instant kMicrosPerSecond = 1000000;

// "2024-05-01", "2024-05-01T12:00", "2024-05-01T12:00:00", with a fraction
// of up to six digits ("12:00:00.25") and a trailing "Z" allowed; a blank may
// stand for the "T", and a day of the year for month and day ("2024-122").
// Nothing when the text is no such time or names no real date.
std::optional<Instant> ParseIsoTime(std::string_view Text);

// "2024-05-01T12:00:50.000000".
std::string IsoTimeText(Instant T);

// "2024-05-01 12:00:50", with the fraction only where there is one
// ("12:00:50.25"), for titles.
std::string ReadableTimeText(Instant T);

// A duration in seconds for a reader: "15 s", "0.25 s", "2 min 5 s",
// "3 h 20 min", "2 d 4 h".
std::string DurationText(Instant Length);

// Days since 1970-01-01 of a civil date, and back.
int64_t DaysFromCivil(int64_t Year, int Month, int Day);
void CivilFromDays(int64_t Days, int64_t& Year, int& Month, int& Day);

}  // namespace viewer
