#include "msd_plot/time_axis.h"

#include <plplot.h>

#include <algorithm>

namespace viewer {

namespace {

struct Step {
  double Seconds;
  int Minor;
};

constexpr Step kSteps[] = {
    {0.001, 5},   {0.002, 4},   {0.005, 5},    {0.01, 5},      {0.02, 4},   {0.05, 5},
    {0.1, 5},     {0.2, 4},     {0.5, 5},      {1, 5},         {2, 4},      {5, 5},
    {10, 5},      {15, 3},      {30, 3},       {60, 6},        {120, 4},    {300, 5},
    {600, 5},     {900, 3},     {1800, 3},     {3600, 6},      {7200, 4},   {10800, 3},
    {21600, 6},   {43200, 6},   {86400, 4},    {172800, 2},    {432000, 5}, {864000, 10},
    {2592000, 6}, {7776000, 3}, {15552000, 6}, {31536000, 12},
};

std::string DayText(Instant T) { return ReadableTimeText(T).substr(0, 10); }

}  // namespace

TimeTicks ChooseTimeTicks(Instant WindowStart, Instant WindowEnd, double PlotWidth,
                          double CharWidth) {
  const double Span = static_cast<double>(WindowEnd - WindowStart) / 1e6;
  const std::string FirstDay = DayText(WindowStart);
  const std::string LastDay = DayText(WindowEnd - 1);
  const bool OneDay = FirstDay == LastDay;
  TimeTicks Ticks;
  for (const Step& S : kSteps) {
    std::string Format;
    if (S.Seconds < 1)
      Format = S.Seconds < 0.01 ? "%H:%M:%S%3" : S.Seconds < 0.1 ? "%H:%M:%S%2" : "%H:%M:%S%1";
    else if (S.Seconds < 60)
      Format = "%H:%M:%S";
    else if (S.Seconds < 86400)
      Format = OneDay ? "%H:%M" : "%m-%d %H:%M";
    else
      Format = "%Y-%m-%d";
    // The label's characters ("%H" gives two, "%Y" four, "%3" four), and
    // room for three more between two labels.
    double Characters = 0;
    for (std::size_t I = 0; I < Format.size(); ++I) {
      if (Format[I] == '%' && I + 1 < Format.size()) {
        const char C = Format[++I];
        Characters += C == 'Y' ? 4 : (C >= '1' && C <= '9') ? 1 + (C - '0') : 2;
      } else {
        Characters += 1;
      }
    }
    Ticks = {S.Seconds, S.Minor, Format, ""};
    if (Span / S.Seconds * (Characters + 3) * CharWidth <= PlotWidth) break;
  }
  if (Ticks.Format.starts_with("%H"))
    Ticks.Caption = "Time (UTC), " + FirstDay;
  else if (Ticks.Format.starts_with("%m"))
    Ticks.Caption = "Time (UTC), " + FirstDay + " to " + LastDay;
  else
    Ticks.Caption = "Date (UTC)";
  return Ticks;
}

void FillTimeBand(Interval Band, double MinWidth, double Low, double High, Interval Window) {
  double X0 = AxisSeconds(Band.Start), X1 = AxisSeconds(Band.End);
  if (X1 - X0 < MinWidth) {
    const double Middle = (X0 + X1) / 2;
    X0 = Middle - MinWidth / 2;
    X1 = Middle + MinWidth / 2;
  }
  X0 = std::max(X0, AxisSeconds(Window.Start));
  X1 = std::min(X1, AxisSeconds(Window.End));
  PLFLT X[] = {X0, X1, X1, X0};
  PLFLT Y[] = {Low, Low, High, High};
  plfill(4, X, Y);
}

}  // namespace viewer
