#include "msd_plot/availability.h"

#include <plplot.h>

#include <algorithm>
#include <cstdio>

#include "msd_plot/time_axis.h"

namespace viewer {

namespace {

constexpr double kTitleSize = 15;
constexpr double kLabelSize = 10;
constexpr double kNameSize = 11;
constexpr double kTop = 70, kBottom = 62, kRightText = 84;

}  // namespace

int AvailabilityHeight(int Height, std::size_t Rows) {
  if (Height > 0) return Height;
  return static_cast<int>(std::clamp(kTop + kBottom + 44.0 * static_cast<double>(Rows), 260.0,
                                     static_cast<double>(kMaxHeight)));
}

void DrawAvailability(const PlplotPage& Page, const std::vector<AvailabilityRow>& Rows,
                      Interval Window, const std::string& Title, const std::string& Subtitle) {
  std::size_t LongestName = 4;
  for (const AvailabilityRow& Row : Rows) LongestName = std::max(LongestName, Row.Name.size());
  const double Left = 28 + PlplotPage::CharacterWidth(kNameSize) * static_cast<double>(LongestName);
  const double Right = Page.Width() - kRightText;
  const double Bottom = Page.Height() - kBottom;
  const double PlotWidth = Right - Left;
  const double PixelSeconds = AxisSeconds(Window.End - Window.Start) / PlotWidth;
  const auto Count = static_cast<double>(Rows.size());
  const TimeTicks Ticks =
      ChooseTimeTicks(Window.Start, Window.End, PlotWidth, PlplotPage::CharacterWidth(kLabelSize));
  pltimefmt(Ticks.Format.c_str());

  Page.Viewport(Left, kTop, Right, Bottom);
  plwind(AxisSeconds(Window.Start), AxisSeconds(Window.End), 0, Count);
  Page.CharacterSize(kLabelSize);
  plcol0(kGrid);
  plbox("gd", Ticks.Seconds, 0, "", 0, 0);
  const double RowPixels = (Bottom - kTop) / Count;
  for (std::size_t R = 0; R < Rows.size(); ++R) {
    const AvailabilityRow& Row = Rows[R];
    // The first stream on top.
    const double Middle = Count - static_cast<double>(R) - 0.5;
    plcol0(kGrid);
    if (R > 0)
      pljoin(AxisSeconds(Window.Start), Middle + 0.5, AxisSeconds(Window.End), Middle + 0.5);
    plcol0(kBar);
    for (const Interval& Data : Row.Data)
      FillTimeBand(Data, PixelSeconds, Middle - 0.3, Middle + 0.3, Window);
    plcol0(kGapMark);
    for (const Interval& Gap : Row.Gaps)
      FillTimeBand(Gap, 2 * PixelSeconds, Middle - 0.36, Middle + 0.36, Window);
    plcol0(kOverlapMark);
    for (const Interval& Overlap : Row.Overlaps)
      FillTimeBand(Overlap, 2 * PixelSeconds, Middle + 0.3, Middle + 0.42, Window);

    // The share of the window that the stream covers.
    Instant Covered = 0;
    for (const Interval& Data : Row.Data) Covered += Data.End - Data.Start;
    char Share[32];
    const double Percent =
        100.0 * static_cast<double>(Covered) / static_cast<double>(Window.End - Window.Start);
    std::snprintf(Share, sizeof Share, Percent > 99.99 && Percent < 100 ? "%.3f %%" : "%.2f %%",
                  Percent);
    const double Y = kTop + (static_cast<double>(R) + 0.5) * RowPixels;
    plcol0(kInk);
    Page.Text(Left - 10, Y, 1.0, kNameSize, Row.Name);
    plcol0(kFaint);
    Page.Text(Page.Width() - 12.0, Y, 1.0, kLabelSize, Share);
    Page.Viewport(Left, kTop, Right, Bottom);
    plwind(AxisSeconds(Window.Start), AxisSeconds(Window.End), 0, Count);
  }
  plcol0(kInk);
  Page.CharacterSize(kLabelSize);
  plbox("bcnstd", Ticks.Seconds, Ticks.Minor, "bc", 0, 0);
  Page.Text((Left + Right) / 2, Bottom + 44, 0.5, kLabelSize, Ticks.Caption);
  Page.FittedText(Page.Width() / 2.0, 22, 0.5, kTitleSize, Title);
  plcol0(kFaint);
  Page.FittedText(Page.Width() / 2.0, 48, 0.5, kLabelSize, Subtitle);
  plcol0(kInk);
}

}  // namespace viewer
