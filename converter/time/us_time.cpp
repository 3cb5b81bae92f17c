#include "time/us_time.h"

#include <cmath>
#include <stdexcept>

#include "time/civil_calendar.h"

namespace drumlin {
namespace {

// Whole days since the epoch, counted down for instants before it.
int64_t DayOf(UsTime Time) {
  int64_t Day = Time / kUsPerDay;
  if (Time % kUsPerDay < 0) --Day;
  return Day;
}

}  // namespace

UsTime DateTimeToUs(DaySerial Day) {
  // Extended precision keeps the product exact enough to round correctly;
  // the default rounding mode sends halves to even.
  const long double Product = static_cast<long double>(Day) * static_cast<long double>(kUsPerDay);
  return static_cast<UsTime>(std::nearbyintl(Product));
}

DaySerial UsToDateTime(UsTime Time) {
  return static_cast<double>(Time) / static_cast<double>(kUsPerDay);
}

UsTime TimeCodeToUs(uint32_t Code) {
  const int64_t Day = static_cast<int64_t>(Code >> 17) + kTimeCodeDayZero;
  const int64_t Seconds = static_cast<int64_t>(Code & 0x1FFFFu);
  return (Day * 86400 + Seconds) * kUsPerSecond;
}

int32_t UsHour(UsTime Time) { return static_cast<int32_t>((Time % kUsPerDay) / kUsPerHour); }

int32_t UsMinute(UsTime Time) { return static_cast<int32_t>((Time % kUsPerHour) / kUsPerMinute); }

int32_t UsSecond(UsTime Time) { return static_cast<int32_t>((Time % kUsPerMinute) / kUsPerSecond); }

int32_t UsFract(UsTime Time) { return static_cast<int32_t>((Time % kUsPerSecond) / 100); }

int32_t UsYear(UsTime Time) { return CivilFromDays(DayOf(Time)).Year; }

int32_t UsDayOfYear(UsTime Time) {
  const int64_t Day = DayOf(Time);
  const int32_t Year = CivilFromDays(Day).Year;
  return static_cast<int32_t>(Day - DaysFromCivil({Year, 1, 1}) + 1);
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

}  // namespace drumlin
