// The quick look: one panel per stream, stacked over one UTC time axis, the
// waveform drawn from its envelope (one pixel column per envelope column),
// gaps and overlaps shaded behind it.
#pragma once

#include <string>
#include <vector>

#include "msd_plot/coverage.h"
#include "msd_plot/envelope.h"
#include "msd_plot/plplot_page.h"

namespace viewer {

struct QuickLookLayout {
  int Width = 0, Height = 0;
  double Left = 0, Right = 0, Top = 0, Bottom = 0;  // margins around the panels
  double NameBand = 0;                              // above each panel, for its stream's name
  double PanelHeight = 0;                           // of each panel's frame
  int Columns = 0;  // pixel columns of a panel: the envelope's width
};

// Height 0 chooses one from the number of panels.
QuickLookLayout MakeQuickLookLayout(int Width, int Height, std::size_t Panels);

struct QuickLookPanel {
  std::string Name;  // NET.STA.LOC.CHA
  const Envelope* Wave = nullptr;
  std::vector<Interval> Gaps;      // within the window
  std::vector<Interval> Overlaps;  // within the window
};

void DrawQuickLook(const PlplotPage& Page, const QuickLookLayout& Layout,
                   const std::vector<QuickLookPanel>& Panels, Interval Window,
                   const std::string& Title, const std::string& Subtitle);

}  // namespace viewer
