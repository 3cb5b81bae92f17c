// The availability chart: one row per stream, a bar where it has data over
// the window, its gaps marked in red and its overlaps in orange, and the
// share of the window it covers at the row's end.
#pragma once

#include <string>
#include <vector>

#include "msd_plot/coverage.h"
#include "msd_plot/plplot_page.h"

namespace viewer {

struct AvailabilityRow {
  std::string Name;                // NET.STA.LOC.CHA
  std::vector<Interval> Data;      // segments within the window
  std::vector<Interval> Gaps;      // within the window
  std::vector<Interval> Overlaps;  // within the window
};

// Height 0 chooses one from the number of rows.
int AvailabilityHeight(int Height, std::size_t Rows);

void DrawAvailability(const PlplotPage& Page, const std::vector<AvailabilityRow>& Rows,
                      Interval Window, const std::string& Title, const std::string& Subtitle);

}  // namespace viewer
