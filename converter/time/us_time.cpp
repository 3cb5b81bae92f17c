#include "time/us_time.h"

#include "time/civil_calendar.h"

namespace drumlin {

YearAndDay UsYearAndDay(UsTime Time) {
  const int64_t Day = UsDay(Time);
  const int32_t Year = CivilFromDays(Day).Year;
  return {Year, static_cast<int32_t>(Day - DaysFromCivil({Year, 1, 1}) + 1)};
}

}  // namespace drumlin
