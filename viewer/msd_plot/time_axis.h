// The time axis: tick spacing and label format for a window, so that labels
// fall on round UTC times (every 10 s, 5 min, 3 h, 1 d, ...) and do not
// crowd each other.
#pragma once

#include <string>

#include "msd_plot/coverage.h"
#include "msd_plot/instant.h"

namespace viewer {

struct TimeTicks {
  double Seconds = 1;   // between labelled ticks
  int Minor = 5;        // minor intervals between two labelled ticks
  std::string Format;   // for pltimefmt: "%H:%M", "%H:%M:%S", "%Y-%m-%d", ...
  std::string Caption;  // under the axis: "Time (UTC), 2024-05-01"
};

// CharWidth: the width of one label character, in the units of PlotWidth.
TimeTicks ChooseTimeTicks(Instant WindowStart, Instant WindowEnd, double PlotWidth,
                          double CharWidth);

// An instant as the plots' time axis counts it: seconds since 1970.
inline double AxisSeconds(Instant T) { return static_cast<double>(T) / 1e6; }

// Fills a box over the time band Band from Low to High in the current
// plot's units, at least MinWidth seconds wide so that a short band still
// shows, kept inside Window.
void FillTimeBand(Interval Band, double MinWidth, double Low, double High, Interval Window);

}  // namespace viewer
