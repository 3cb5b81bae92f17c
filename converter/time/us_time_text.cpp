#include <langinfo.h>

#include <cstring>
#include <ctime>
#include <utility>

#include "time/civil_calendar.h"
#include "time/us_time.h"

namespace drumlin {
namespace {

// The separator between hours and minutes in the locale's time format.
std::string TimeSeparator() {
  const char* Format = nl_langinfo(T_FMT);
  const char* Hour = Format != nullptr ? std::strstr(Format, "%H") : nullptr;
  if (Hour == nullptr) return ":";
  std::string Separator;
  for (const char* P = Hour + 2; *P != '\0' && *P != '%'; ++P) Separator += *P;
  return Separator.empty() ? ":" : Separator;
}

std::string DecimalSeparator() {
  const char* Radix = nl_langinfo(RADIXCHAR);
  return Radix != nullptr && *Radix != '\0' ? Radix : ".";
}

// The locale's short date form of a calendar date.
std::string ShortDateText(CivilDate Date) {
  std::tm Fields{};
  Fields.tm_year = Date.Year - 1900;
  Fields.tm_mon = Date.Month - 1;
  Fields.tm_mday = Date.Day;
  char Buffer[128];
  const std::size_t Length = std::strftime(Buffer, sizeof Buffer, "%x", &Fields);
  return std::string(Buffer, Length);
}

// '0' characters put in front of Text until it is Width characters long.
std::string PadWithZeros(std::string Text, int Width) {
  if (Width > 0 && Text.size() < static_cast<std::size_t>(Width))
    Text.insert(0, static_cast<std::size_t>(Width) - Text.size(), '0');
  return Text;
}

}  // namespace

std::string IntToStrPad(int32_t Value, int Width) {
  std::string Text = std::to_string(Value);
  return PadWithZeros(std::move(Text), Width);
}

std::string UsTimeOfDayText(int Digits, UsTime Time) {
  const std::string Separator = TimeSeparator();
  int64_t Rest = Time % kUsPerDay;
  std::string Text = IntToStrPad(static_cast<int32_t>(Rest / kUsPerHour), 2) + Separator;
  Rest %= kUsPerHour;
  Text += IntToStrPad(static_cast<int32_t>(Rest / kUsPerMinute), 2) + Separator;
  Rest %= kUsPerMinute;
  Text += IntToStrPad(static_cast<int32_t>(Rest / kUsPerSecond), 2);
  if (Digits > 0) {
    int64_t Fraction = Rest % kUsPerSecond;
    for (int Digit = Digits; Digit < 6; ++Digit) Fraction /= 10;
    for (int Digit = 6; Digit < Digits; ++Digit) Fraction *= 10;
    // Many digits outgrow 32 bits, so the fraction is padded as a 64-bit value.
    Text += DecimalSeparator() + PadWithZeros(std::to_string(Fraction), Digits);
  }
  return Text;
}

std::string UsToText(int Digits, UsTime Time) {
  return ShortDateText(CivilFromDays(UsDay(Time))) + " " + UsTimeOfDayText(Digits, Time);
}

}  // namespace drumlin
