#include "msd_plot/instant.h"

#include "time/civil_calendar.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace viewer {

namespace {

bool IsLeap(int64_t Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInMonth(int64_t Year, int Month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeap(Year) ? 29 : kDays[Month - 1];
}

// Reads exactly Digits decimal digits at Text[At]; advances At.
bool ReadDigits(std::string_view Text, std::size_t& At, int Digits, int64_t& Value) {
  if (At + static_cast<std::size_t>(Digits) > Text.size()) return false;
  Value = 0;
  for (int I = 0; I < Digits; ++I) {
    const char C = Text[At++];
    if (C < '0' || C > '9') return false;
    Value = Value * 10 + (C - '0');
  }
  return true;
}

bool Take(std::string_view Text, std::size_t& At, char C) {
  if (At < Text.size() && Text[At] == C) {
    ++At;
    return true;
  }
  return false;
}

int64_t FloorDiv(int64_t A, int64_t B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0))); }

}  // namespace

// The converter's proleptic Gregorian calendar counts days from 1899-12-30;
// instants count from 1970-01-01.
int64_t DaysFromCivil(int64_t Year, int Month, int Day) {
  static const int64_t kEpoch = drumlin::DaysFromCivil({1970, 1, 1});
  return drumlin::DaysFromCivil({static_cast<int32_t>(Year), Month, Day}) - kEpoch;
}

void CivilFromDays(int64_t Days, int64_t& Year, int& Month, int& Day) {
  static const int64_t kEpoch = drumlin::DaysFromCivil({1970, 1, 1});
  const drumlin::CivilDate Date = drumlin::CivilFromDays(Days + kEpoch);
  Year = Date.Year;
  Month = Date.Month;
  Day = Date.Day;
}

std::optional<Instant> ParseIsoTime(std::string_view Text) {
  std::size_t At = 0;
  int64_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Micros = 0;
  if (!ReadDigits(Text, At, 4, Year) || !Take(Text, At, '-')) return std::nullopt;
  int64_t Days = 0;
  // Year-month-day, or year and day of year.
  std::size_t Digits = 0;
  while (At + Digits < Text.size() && Text[At + Digits] >= '0' && Text[At + Digits] <= '9')
    ++Digits;
  if (Digits == 3) {
    int64_t DayOfYear = 0;
    ReadDigits(Text, At, 3, DayOfYear);
    if (DayOfYear < 1 || DayOfYear > (IsLeap(Year) ? 366 : 365)) return std::nullopt;
    Days = DaysFromCivil(Year, 1, 1) + DayOfYear - 1;
  } else {
    if (!ReadDigits(Text, At, 2, Month) || !Take(Text, At, '-') || !ReadDigits(Text, At, 2, Day))
      return std::nullopt;
    if (Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, static_cast<int>(Month)))
      return std::nullopt;
    Days = DaysFromCivil(Year, static_cast<int>(Month), static_cast<int>(Day));
  }
  if (Take(Text, At, 'T') || Take(Text, At, ' ')) {
    if (!ReadDigits(Text, At, 2, Hour) || !Take(Text, At, ':') || !ReadDigits(Text, At, 2, Minute))
      return std::nullopt;
    if (Take(Text, At, ':')) {
      if (!ReadDigits(Text, At, 2, Second)) return std::nullopt;
      if (Take(Text, At, '.')) {
        int Places = 0;
        while (At < Text.size() && Text[At] >= '0' && Text[At] <= '9') {
          if (++Places > 6) return std::nullopt;
          Micros = Micros * 10 + (Text[At++] - '0');
        }
        if (Places == 0) return std::nullopt;
        for (; Places < 6; ++Places) Micros *= 10;
      }
    }
    if (Hour > 23 || Minute > 59 || Second > 59) return std::nullopt;
  }
  Take(Text, At, 'Z');
  if (At != Text.size()) return std::nullopt;
  return ((Days * 24 + Hour) * 60 + Minute) * 60 * kMicrosPerSecond + Second * kMicrosPerSecond +
         Micros;
}

namespace {

struct Broken {
  int64_t Year;
  int Month, Day, Hour, Minute, Second, Micros;
};

Broken Break(Instant T) {
  const int64_t Days = FloorDiv(T, 86400 * kMicrosPerSecond);
  int64_t Rest = T - Days * 86400 * kMicrosPerSecond;
  Broken B{};
  CivilFromDays(Days, B.Year, B.Month, B.Day);
  B.Micros = static_cast<int>(Rest % kMicrosPerSecond);
  Rest /= kMicrosPerSecond;
  B.Second = static_cast<int>(Rest % 60);
  B.Minute = static_cast<int>(Rest / 60 % 60);
  B.Hour = static_cast<int>(Rest / 3600);
  return B;
}

}  // namespace

std::string IsoTimeText(Instant T) {
  const Broken B = Break(T);
  char Text[48];
  std::snprintf(Text, sizeof Text, "%04" PRId64 "-%02d-%02dT%02d:%02d:%02d.%06d", B.Year, B.Month,
                B.Day, B.Hour, B.Minute, B.Second, B.Micros);
  return Text;
}

std::string ReadableTimeText(Instant T) {
  const Broken B = Break(T);
  char Text[48];
  std::snprintf(Text, sizeof Text, "%04" PRId64 "-%02d-%02d %02d:%02d:%02d", B.Year, B.Month, B.Day,
                B.Hour, B.Minute, B.Second);
  std::string Result = Text;
  if (B.Micros != 0) {
    std::snprintf(Text, sizeof Text, ".%06d", B.Micros);
    std::string Fraction = Text;
    while (Fraction.back() == '0') Fraction.pop_back();
    Result += Fraction;
  }
  return Result;
}

std::string DurationText(Instant Length) {
  char Text[64];
  const Instant Seconds = Length / kMicrosPerSecond;
  if (Length < 60 * kMicrosPerSecond) {
    std::snprintf(Text, sizeof Text, "%.6f", static_cast<double>(Length) / kMicrosPerSecond);
    std::string Result = Text;
    while (Result.back() == '0') Result.pop_back();
    if (Result.back() == '.') Result.pop_back();
    return Result + " s";
  }
  // Days, hours, minutes and seconds from the largest that is not zero,
  // three at most, without zeros at the end: "2 min 5 s", "1 d 0 h 10 min".
  const Instant Parts[] = {Seconds / 86400, Seconds / 3600 % 24, Seconds / 60 % 60, Seconds % 60};
  static constexpr const char* kUnits[] = {"d", "h", "min", "s"};
  int First = 0;
  while (Parts[First] == 0) ++First;
  int Last = std::min(First + 2, 3);
  while (Parts[Last] == 0) --Last;
  std::string Result;
  for (int I = First; I <= Last; ++I) {
    std::snprintf(Text, sizeof Text, "%s%" PRId64 " %s", I == First ? "" : " ", Parts[I],
                  kUnits[I]);
    Result += Text;
  }
  return Result;
}

}  // namespace viewer
