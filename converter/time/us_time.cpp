#include "time/us_time.h"

#include "time/civil_calendar.h"

namespace drumlin {

int32_t UsYear(UsTime Time) { return CivilFromDays(UsDay(Time)).Year; }

int32_t UsDayOfYear(UsTime Time) {
  const int64_t Day = UsDay(Time);
  const int32_t Year = CivilFromDays(Day).Year;
  return static_cast<int32_t>(Day - DaysFromCivil({Year, 1, 1}) + 1);
}

}  // namespace drumlin
