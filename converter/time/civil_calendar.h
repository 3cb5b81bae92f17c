// Proleptic Gregorian calendar on whole days counted from 1899-12-30.
#pragma once

#include <cstdint>

namespace drumlin {

struct CivilDate {
  int32_t Year;
  int32_t Month;  // 1..12
  int32_t Day;    // 1..31
};

// Day number of a date (0 = 1899-12-30); the date is not validated.
int64_t DaysFromCivil(CivilDate Date);
CivilDate CivilFromDays(int64_t Days);

}  // namespace drumlin
