#include "time/us_time.h"
#include "testsupport/reference_time.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace drumlin {
namespace {

using namespace test;

struct TimeCodeCase {
  uint32_t Code;
  int32_t Year, Month, Day, Hour, Minute, Second;
};

// Day 0 of the time code is 1989-11-17; seconds beyond a day run into the next.
TEST(TimeCode, ConvertsDayAndSeconds) {
  const TimeCodeCase Cases[] = {
      {0, 1989, 11, 17, 0, 0, 0},
      {(1u << 17) | 86399u, 1989, 11, 18, 23, 59, 59},
      {86400u, 1989, 11, 18, 0, 0, 0},
      {(45u << 17) | 3661u, 1990, 1, 1, 1, 1, 1},
      {0xFFFFFFFFu, 2079, 8, 5, 12, 24, 31},  // day 32767, 131071 s
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Code);
    EXPECT_EQ(TimeCodeToUs(C.Code),
              EncodeUsDate(C.Year, C.Month, C.Day) + EncodeUsTime(C.Hour, C.Minute, C.Second, 0));
  }
  EXPECT_EQ(TimeCodeToUs(0), 2836425600000000);
}

struct DayCountCase {
  int32_t Year, Month, Day;
  int64_t DaysSinceEpoch;
};

// Day counts of the epoch's calendar are the well-known serial day numbers.
TEST(Calendar, EncodesDatesAsDayCounts) {
  const DayCountCase Cases[] = {
      {1899, 12, 30, 0},     {1900, 1, 1, 2},         {1900, 3, 1, 61},
      {1989, 11, 17, 32829}, {2000, 1, 1, 36526},     {2000, 3, 1, 36586},
      {1, 1, 1, -693593},    {9999, 12, 31, 2958465}, {1600, 2, 29, -109512},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.DaysSinceEpoch);
    EXPECT_EQ(EncodeUsDate(C.Year, C.Month, C.Day), C.DaysSinceEpoch * kUsPerDay);
  }
}

TEST(Calendar, RejectsDatesThatDoNotExist) {
  const int32_t Cases[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 13, 1},
                              {2024, 4, 31}, {0, 1, 1},     {10000, 1, 1}};
  for (const auto& C : Cases) EXPECT_THROW(EncodeUsDate(C[0], C[1], C[2]), std::invalid_argument);
}

struct FieldCase {
  int32_t Year, Month, Day, Hour, Minute, Second, Usec;
  int32_t DayOfYear, Fract;
};

TEST(Calendar, SplitsInstantsIntoFields) {
  const FieldCase Cases[] = {
      {2000, 12, 31, 23, 59, 59, 999999, 366, 9999},
      {1900, 12, 31, 12, 0, 0, 123456, 365, 1234},
      {2024, 2, 29, 1, 2, 3, 99, 60, 0},
      {2023, 3, 1, 0, 0, 0, 100, 60, 1},
      {2024, 3, 1, 18, 30, 45, 500000, 61, 5000},
      {2100, 12, 31, 6, 7, 8, 0, 365, 0},
      {1989, 11, 17, 0, 0, 5, 250000, 321, 2500},
      {2025, 1, 1, 0, 0, 0, 0, 1, 0},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Year * 10000 + C.Month * 100 + C.Day);
    const UsTime T =
        EncodeUsDate(C.Year, C.Month, C.Day) + EncodeUsTime(C.Hour, C.Minute, C.Second, C.Usec);
    EXPECT_EQ(UsYearAndDay(T).Year, C.Year);
    EXPECT_EQ(UsYearAndDay(T).DayOfYear, C.DayOfYear);
    EXPECT_EQ(UsHour(T), C.Hour);
    EXPECT_EQ(UsMinute(T), C.Minute);
    EXPECT_EQ(UsSecond(T), C.Second);
    EXPECT_EQ(UsFract(T), C.Fract);
    EXPECT_EQ(YearDayToUs(static_cast<uint16_t>(C.Year), static_cast<uint16_t>(C.DayOfYear)),
              EncodeUsDate(C.Year, C.Month, C.Day));
  }
}

TEST(Calendar, DayZeroOfAYearIsTheLastDayBefore) {
  EXPECT_EQ(YearDayToUs(2000, 0), EncodeUsDate(1999, 12, 31));
  EXPECT_EQ(YearDayToUs(2001, 0), EncodeUsDate(2000, 12, 31));
}

TEST(TimeOfDay, EncodesWithoutRangeChecks) {
  EXPECT_EQ(EncodeUsTime(1, 2, 3, 4), 3600000000 + 120000000 + 3000000 + 4);
  EXPECT_EQ(EncodeUsTime(0, 0, 75, 0), 75000000);
  EXPECT_EQ(EncodeUsTime(0, 0, -1, 0), -1000000);
  EXPECT_EQ(EncodeUsTime(23, 59, 59, 1000000), kUsPerDay);
}

struct SerialCase {
  double Day;
  UsTime Expected;
};

// Microseconds per day are 2^13 x 10546875, so m / 2^14 days lie exactly on a
// half microsecond when m is odd: those halves go to the even neighbour.
TEST(DaySerial, RoundsToNearestMicrosecondHalvesToEven) {
  const SerialCase Cases[] = {
      {0.5, 43200000000},           {1.0 / 16384, 5273438},  // 5273437.5
      {3.0 / 16384, 15820312},                               // 15820312.5
      {-1.0 / 16384, -5273438},                              // -5273437.5
      {32829.25, 2836447200000000},
  };
  for (const auto& C : Cases) EXPECT_EQ(DateTimeToUs(C.Day), C.Expected) << C.Day;
  EXPECT_EQ(UsToDateTime(3 * kUsPerDay / 2), 1.5);
  EXPECT_EQ(UsToDateTime(-kUsPerDay / 4), -0.25);
}

}  // namespace
}  // namespace drumlin
