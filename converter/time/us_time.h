// Microsecond time values: every instant and duration of the converter.
// A UsTime counts microseconds since 1899-12-30 00:00:00, without time zone
// or leap seconds; every day has exactly 86400000000 microseconds.
#pragma once

#include <cstdint>
#include <string>

namespace drumlin {

using UsTime = int64_t;

inline constexpr int64_t kUsPerSecond = 1000000;
inline constexpr int64_t kUsPerMinute = 60 * kUsPerSecond;
inline constexpr int64_t kUsPerHour = 60 * kUsPerMinute;
inline constexpr int64_t kUsPerDay = 24 * kUsPerHour;
inline constexpr int64_t kSecondsPerDay = 86400;

// The block time code: bits 31..17 count days since 1989-11-17, bits 16..0
// the seconds since that day's midnight (not range checked: seconds beyond
// a day run into the next).
inline constexpr int kTimeCodeDayShift = 17;
inline constexpr uint32_t kTimeCodeSecondsMask = 0x1FFFFu;
// Day 0 of the block time code (1989-11-17) counted from the epoch.
inline constexpr int64_t kTimeCodeDayZero = 32829;

inline constexpr uint32_t TimeCodeDay(uint32_t Code) { return Code >> kTimeCodeDayShift; }
inline constexpr uint32_t TimeCodeSeconds(uint32_t Code) { return Code & kTimeCodeSecondsMask; }
inline constexpr uint32_t MakeTimeCode(uint32_t Day, uint32_t Seconds) {
  return (Day << kTimeCodeDayShift) | (Seconds & kTimeCodeSecondsMask);
}

inline constexpr UsTime TimeCodeToUs(uint32_t Code) {
  const int64_t Day = static_cast<int64_t>(TimeCodeDay(Code)) + kTimeCodeDayZero;
  return (Day * kSecondsPerDay + static_cast<int64_t>(TimeCodeSeconds(Code))) * kUsPerSecond;
}

// Whole days since the epoch, counted down for instants before it.
inline constexpr int64_t UsDay(UsTime Time) {
  return Time / kUsPerDay - (Time % kUsPerDay < 0 ? 1 : 0);
}

// Clock fields; the remainders keep the sign of Time (never negative for
// the times the converter meets).
inline constexpr int32_t UsHour(UsTime Time) {
  return static_cast<int32_t>((Time % kUsPerDay) / kUsPerHour);
}
inline constexpr int32_t UsMinute(UsTime Time) {
  return static_cast<int32_t>((Time % kUsPerHour) / kUsPerMinute);
}
inline constexpr int32_t UsSecond(UsTime Time) {
  return static_cast<int32_t>((Time % kUsPerMinute) / kUsPerSecond);
}
// Ten-thousandths of a second within the second, truncated.
inline constexpr int32_t UsFract(UsTime Time) {
  return static_cast<int32_t>((Time % kUsPerSecond) / 100);
}

// The calendar year and the day of the year (1 for January 1), found
// together from one calendar split.
struct YearAndDay {
  int32_t Year;
  int32_t DayOfYear;
};
YearAndDay UsYearAndDay(UsTime Time);

// "hh:mm:ss" with the locale's time separator, followed by the locale's
// decimal separator and Digits fraction digits when Digits > 0.
std::string UsTimeOfDayText(int Digits, UsTime Time);
// The date in the locale's short form, a blank, then UsTimeOfDayText.
std::string UsToText(int Digits, UsTime Time);
// Decimal text left-filled with '0' up to Width characters.
std::string IntToStrPad(int32_t Value, int Width);

}  // namespace drumlin
