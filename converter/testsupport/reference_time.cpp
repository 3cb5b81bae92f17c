#include "testsupport/reference_time.h"

#include <cmath>
#include <stdexcept>

#include "time/civil_calendar.h"

namespace drumlin::test {

UsTime DateTimeToUs(DaySerial Day) {
  // Extended precision keeps the product exact enough to round correctly;
  // the default rounding mode sends halves to even.
  const long double Product = static_cast<long double>(Day) * static_cast<long double>(kUsPerDay);
  return static_cast<UsTime>(std::nearbyintl(Product));
}

DaySerial UsToDateTime(UsTime Time) {
  return static_cast<double>(Time) / static_cast<double>(kUsPerDay);
}

bool IsLeapYear(int32_t Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int32_t DaysInMonth(int32_t Year, int32_t Month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

UsTime EncodeUsTime(int32_t Hour, int32_t Minute, int32_t Second, int32_t Usec) {
  return static_cast<int64_t>(Hour) * kUsPerHour + static_cast<int64_t>(Minute) * kUsPerMinute +
         static_cast<int64_t>(Second) * kUsPerSecond + static_cast<int64_t>(Usec);
}

UsTime EncodeUsDate(int32_t Year, int32_t Month, int32_t Day) {
  if (Year < 1 || Year > 9999 || Day < 1 || Day > DaysInMonth(Year, Month))
    throw std::invalid_argument("Invalid argument to date encode");
  return DaysFromCivil({Year, Month, Day}) * kUsPerDay;
}

UsTime YearDayToUs(uint16_t Year, uint16_t Day) {
  return EncodeUsDate(Year, 1, 1) + (static_cast<int64_t>(Day) - 1) * kUsPerDay;
}

}  // namespace drumlin::test
