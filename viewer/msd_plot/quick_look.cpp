#include "msd_plot/quick_look.h"

#include <plplot.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "msd_plot/time_axis.h"

namespace viewer {

namespace {

constexpr double kTitleSize = 15;  // capital height in pixels
constexpr double kLabelSize = 10;
constexpr double kNameSize = 11;

// Amplitude labels in full counts, without PLplot's "x10^n" scaling.
void AmplitudeLabel(PLINT, PLFLT Value, char* Text, PLINT Length, PLPointer) {
  const auto Size = static_cast<std::size_t>(Length);
  if (std::fabs(Value) < 1e12 && std::fabs(Value - std::round(Value)) < 1e-9)
    std::snprintf(Text, Size, "%.0f", Value == 0 ? 0.0 : Value);
  else
    std::snprintf(Text, Size, "%.4g", Value);
}

// A round step between amplitude labels (1, 2 or 5 times a power of ten)
// that puts at most MaxLabels labels on Range, so that a low panel's
// labels do not run into each other.
double AmplitudeStep(double Range, double MaxLabels) {
  const double Raw = Range / std::max(MaxLabels, 1.0);
  const double Power = std::pow(10.0, std::floor(std::log10(Raw)));
  for (const double Multiple : {1.0, 2.0, 5.0})
    if (Multiple * Power >= Raw) return Multiple * Power;
  return 10 * Power;
}

// The waveform: per column a vertical stroke from the first sample to the
// smallest, the largest and the last, joined to the next column's first
// sample, so that the line is continuous where the data is and every spike
// reaches its extreme. The line is broken where a gap empties columns.
void DrawWave(const Envelope& Wave, const std::vector<Interval>& Gaps) {
  std::vector<PLFLT> X, Y;
  const auto Flush = [&] {
    if (X.size() == 1) {  // a lone sample: a short tick
      X.push_back(X[0]);
      Y.push_back(Y[0]);
    }
    if (!X.empty()) plline(static_cast<PLINT>(X.size()), X.data(), Y.data());
    X.clear();
    Y.clear();
  };
  int Previous = -1;
  std::size_t NextGap = 0;
  for (int C = 0; C < Wave.Columns(); ++C) {
    const ColumnRange& Column = Wave.Column(C);
    if (!Column.Filled) continue;
    if (Previous >= 0 && C > Previous + 1) {
      // Columns left empty: a gap, or samples further apart than columns.
      const Instant From = Wave.Column(Previous).LastTime, To = Column.FirstTime;
      while (NextGap < Gaps.size() && Gaps[NextGap].End <= From) ++NextGap;
      if (NextGap < Gaps.size() && Gaps[NextGap].Start < To) Flush();
    }
    const double Middle =
        (AxisSeconds(Wave.ColumnStart(C)) + AxisSeconds(Wave.ColumnStart(C + 1))) / 2;
    for (const double V : {Column.First, Column.Min, Column.Max, Column.Last}) {
      X.push_back(Middle);
      Y.push_back(V);
    }
    Previous = C;
  }
  Flush();
}

}  // namespace

QuickLookLayout MakeQuickLookLayout(int Width, int Height, std::size_t Panels) {
  QuickLookLayout L;
  const double Count = static_cast<double>(std::max<std::size_t>(Panels, 1));
  L.Width = Width;
  L.Top = 70;
  L.Bottom = 62;
  L.Left = 92;
  L.Right = 40;
  L.NameBand = 24;
  L.Height = Height > 0 ? Height
                        : static_cast<int>(std::clamp(L.Top + L.Bottom + Count * 230.0, 400.0,
                                                      static_cast<double>(kMaxHeight)));
  L.PanelHeight = std::max(8.0, (L.Height - L.Top - L.Bottom - Count * L.NameBand) / Count);
  L.Columns = std::max(1, static_cast<int>(std::lround(Width - L.Left - L.Right)));
  return L;
}

void DrawQuickLook(const PlplotPage& Page, const QuickLookLayout& L,
                   const std::vector<QuickLookPanel>& Panels, Interval Window,
                   const std::string& Title, const std::string& Subtitle) {
  const TimeTicks Ticks = ChooseTimeTicks(Window.Start, Window.End, L.Width - L.Left - L.Right,
                                          PlplotPage::CharacterWidth(kLabelSize));
  pltimefmt(Ticks.Format.c_str());
  plslabelfunc(AmplitudeLabel, nullptr);
  const double PixelSeconds = AxisSeconds(Window.End - Window.Start) / L.Columns;
  double Top = L.Top;
  for (std::size_t P = 0; P < Panels.size(); ++P) {
    const QuickLookPanel& Panel = Panels[P];
    const Envelope& Wave = *Panel.Wave;
    double Low = 0, High = 0;
    bool Any = false;
    for (int C = 0; C < Wave.Columns(); ++C) {
      const ColumnRange& Column = Wave.Column(C);
      if (!Column.Filled) continue;
      Low = Any ? std::min(Low, Column.Min) : Column.Min;
      High = Any ? std::max(High, Column.Max) : Column.Max;
      Any = true;
    }
    char Range[96] = "no samples in the window";
    if (Any) std::snprintf(Range, sizeof Range, "%.10g to %.10g counts", Low, High);
    const double Pad = High > Low ? (High - Low) * 0.06 : std::max(1.0, std::fabs(Low) * 0.1);
    const double YLow = Low - Pad, YHigh = High + Pad;

    Top += L.NameBand;
    Page.Text(L.Left, Top - L.NameBand / 2, 0.0, kNameSize, Panel.Name);
    plcol0(kFaint);
    Page.Text(L.Width - L.Right, Top - L.NameBand / 2, 1.0, kLabelSize, Range);
    plcol0(kInk);

    Page.Viewport(L.Left, Top, L.Width - L.Right, Top + L.PanelHeight);
    plwind(AxisSeconds(Window.Start), AxisSeconds(Window.End), YLow, YHigh);
    plcol0(kGapShade);
    for (const Interval& Gap : Panel.Gaps) FillTimeBand(Gap, 3 * PixelSeconds, YLow, YHigh, Window);
    plcol0(kOverlapShade);
    for (const Interval& Overlap : Panel.Overlaps)
      FillTimeBand(Overlap, 3 * PixelSeconds, YLow, YHigh, Window);
    Page.CharacterSize(kLabelSize);
    plcol0(kGrid);
    plwidth(1);
    plbox("gd", Ticks.Seconds, 0, "g", 0, 0);
    plcol0(kTrace);
    plwidth(1.1);
    DrawWave(Wave, Panel.Gaps);
    plcol0(kInk);
    plwidth(1);
    const bool Last = P + 1 == Panels.size();
    const double Step = AmplitudeStep(YHigh - YLow, L.PanelHeight / (2.5 * kLabelSize));
    plbox(Last ? "bcnstd" : "bcstd", Ticks.Seconds, Ticks.Minor, "bcnstvo", Step, 0);
    Top += L.PanelHeight;
  }
  // The amplitude caption, once for all panels.
  Page.PageCoordinates();
  Page.CharacterSize(kLabelSize);
  plptex(16, (L.Top + Top) / 2, 0, -1, 0.5, "counts");
  Page.Text((L.Left + L.Width - L.Right) / 2, Top + 44, 0.5, kLabelSize, Ticks.Caption);
  Page.FittedText(L.Width / 2.0, 22, 0.5, kTitleSize, Title);
  plcol0(kFaint);
  Page.FittedText(L.Width / 2.0, 48, 0.5, kLabelSize, Subtitle);
  plcol0(kInk);
}

}  // namespace viewer
