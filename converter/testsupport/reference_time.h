// Calendar encodings that the tests build their expected times with: the
// day serial bridge and the date and time-of-day encodings, written as a
// seismologist reads them. The converter itself never needs them.
#pragma once

#include <cstdint>

#include "time/us_time.h"

namespace drumlin::test {

// Fractional day count since 1899-12-30.
using DaySerial = double;

// Day count times microseconds per day, rounded to nearest (halves to even).
UsTime DateTimeToUs(DaySerial Day);
// Microseconds divided by microseconds per day.
DaySerial UsToDateTime(UsTime Time);

bool IsLeapYear(int32_t Year);
int32_t DaysInMonth(int32_t Year, int32_t Month);

// Time of day; arguments are not range checked.
UsTime EncodeUsTime(int32_t Hour, int32_t Minute, int32_t Second, int32_t Usec);
// Midnight of a calendar date; throws std::invalid_argument for a date that
// does not exist (years 1 to 9999 are valid).
UsTime EncodeUsDate(int32_t Year, int32_t Month, int32_t Day);
// Midnight of the given day of the year (day 0: December 31 before).
UsTime YearDayToUs(uint16_t Year, uint16_t Day);

}  // namespace drumlin::test
