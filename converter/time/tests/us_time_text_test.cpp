// Text forms in the POSIX locale, which a test program has unless it sets one.
#include <gtest/gtest.h>

#include "testsupport/reference_time.h"
#include "time/us_time.h"

namespace drumlin {
namespace {

using namespace test;

struct TextCase {
  int Digits;
  int32_t Year, Month, Day, Hour, Minute, Second, Usec;
  const char* Expected;
};

TEST(TimeText, WritesDateTimeAndFractionDigits) {
  const TextCase Cases[] = {
      {0, 1989, 11, 17, 0, 0, 5, 250000, "11/17/89 00:00:05"},
      {1, 1989, 11, 17, 0, 0, 5, 250000, "11/17/89 00:00:05.2"},
      {3, 1989, 11, 17, 0, 0, 5, 250000, "11/17/89 00:00:05.250"},
      {8, 1989, 11, 17, 0, 0, 5, 250000, "11/17/89 00:00:05.25000000"},
      {-2, 1989, 11, 17, 0, 0, 5, 250000, "11/17/89 00:00:05"},
      {1, 2024, 2, 29, 13, 7, 5, 990000, "02/29/24 13:07:05.9"},
      {6, 2003, 1, 9, 23, 59, 59, 1, "01/09/03 23:59:59.000001"},
      {8, 2003, 1, 9, 23, 59, 59, 123456, "01/09/03 23:59:59.12345600"},
      {3, 2003, 1, 9, 9, 0, 0, 999, "01/09/03 09:00:00.000"},
  };
  for (const auto& C : Cases) {
    const UsTime T =
        EncodeUsDate(C.Year, C.Month, C.Day) + EncodeUsTime(C.Hour, C.Minute, C.Second, C.Usec);
    EXPECT_EQ(UsToText(C.Digits, T), C.Expected);
    // The time of day is the part after the date and its blank.
    EXPECT_EQ(UsTimeOfDayText(C.Digits, T), std::string(C.Expected).substr(9));
  }
}

struct PadCase {
  int32_t Value;
  int Width;
  const char* Expected;
};

TEST(TimeText, PadsIntegersWithLeadingZeros) {
  const PadCase Cases[] = {{7, 2, "07"},
                           {123, 2, "123"},
                           {0, 4, "0000"},
                           {-5, 3, "0-5"},
                           {-12, 2, "-12"},
                           {42, 0, "42"},
                           {2147483647, 12, "002147483647"}};
  for (const auto& C : Cases) EXPECT_EQ(IntToStrPad(C.Value, C.Width), C.Expected);
}

}  // namespace
}  // namespace drumlin
