// Microsecond time values: every instant and duration of the converter.
// A UsTime counts microseconds since 1899-12-30 00:00:00, without time zone
// or leap seconds; every day has exactly 86400000000 microseconds.
#pragma once

#include <cstdint>
#include <string>

namespace drumlin {

using UsTime = int64_t;

// Fractional day count since the same epoch (the calendar bridge).
using DaySerial = double;

inline constexpr int64_t kUsPerSecond = 1000000;
inline constexpr int64_t kUsPerMinute = 60 * kUsPerSecond;
inline constexpr int64_t kUsPerHour = 60 * kUsPerMinute;
inline constexpr int64_t kUsPerDay = 24 * kUsPerHour;
// Day 0 of the block time code (1989-11-17) counted from the epoch.
inline constexpr int64_t kTimeCodeDayZero = 32829;

// Day count times microseconds per day, rounded to nearest (halves to even).
UsTime DateTimeToUs(DaySerial Day);
// Microseconds divided by microseconds per day.
DaySerial UsToDateTime(UsTime Time);
// Block time code: bits 31..17 day since 1989-11-17, bits 16..0 seconds.
UsTime TimeCodeToUs(uint32_t Code);

int32_t UsHour(UsTime Time);
int32_t UsMinute(UsTime Time);
int32_t UsSecond(UsTime Time);
// Ten-thousandths of a second within the second, truncated.
int32_t UsFract(UsTime Time);
int32_t UsYear(UsTime Time);
// 1 for January 1.
int32_t UsDayOfYear(UsTime Time);

// Time of day; arguments are not range checked.
UsTime EncodeUsTime(int32_t Hour, int32_t Minute, int32_t Second, int32_t Usec);
// Midnight of a calendar date; throws std::invalid_argument for a date that
// does not exist (years 1 to 9999 are valid).
UsTime EncodeUsDate(int32_t Year, int32_t Month, int32_t Day);
// Midnight of the given day of the year (day 0: December 31 before).
UsTime YearDayToUs(uint16_t Year, uint16_t Day);

// "hh:mm:ss" with the locale's time separator, followed by the locale's
// decimal separator and Digits fraction digits when Digits > 0.
std::string UsTimeOfDayText(int Digits, UsTime Time);
// The date in the locale's short form, a blank, then UsTimeOfDayText.
std::string UsToText(int Digits, UsTime Time);
// Decimal text left-filled with '0' up to Width characters.
std::string IntToStrPad(int32_t Value, int Width);

}  // namespace drumlin
