#include "time/civil_calendar.h"

namespace drumlin {
namespace {

// Day number of 1899-12-30 counted from 0000-03-01 in the era arithmetic
// below; shifting by it puts day 0 on the epoch of UsTime.
constexpr int64_t kEpochFromEraBase = 693899;

int64_t FloorDiv(int64_t A, int64_t B) {
  int64_t Q = A / B;
  if ((A % B != 0) && ((A < 0) != (B < 0))) --Q;
  return Q;
}

}  // namespace

// Years start on March 1 so that the leap day is the last day of a year;
// 400-year eras of 146097 days repeat exactly.
int64_t DaysFromCivil(CivilDate Date) {
  const int64_t Y = static_cast<int64_t>(Date.Year) - (Date.Month <= 2 ? 1 : 0);
  const int64_t Era = FloorDiv(Y, 400);
  const int64_t YearOfEra = Y - Era * 400;
  const int64_t MonthFromMarch = (Date.Month + 9) % 12;
  const int64_t DayOfYear = (153 * MonthFromMarch + 2) / 5 + Date.Day - 1;
  const int64_t DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
  return Era * 146097 + DayOfEra - kEpochFromEraBase;
}

CivilDate CivilFromDays(int64_t Days) {
  const int64_t Z = Days + kEpochFromEraBase;
  const int64_t Era = FloorDiv(Z, 146097);
  const int64_t DayOfEra = Z - Era * 146097;
  const int64_t YearOfEra =
      (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
  const int64_t DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
  const int64_t MonthFromMarch = (5 * DayOfYear + 2) / 153;
  const int64_t Day = DayOfYear - (153 * MonthFromMarch + 2) / 5 + 1;
  const int64_t Month = MonthFromMarch < 10 ? MonthFromMarch + 3 : MonthFromMarch - 9;
  const int64_t Year = YearOfEra + Era * 400 + (Month <= 2 ? 1 : 0);
  return {static_cast<int32_t>(Year), static_cast<int32_t>(Month), static_cast<int32_t>(Day)};
}

}  // namespace drumlin
