// The parts of msd_plot on their own: times, the command line, the merging
// of record spans into segments with their gaps and overlaps, the envelope's
// columns, the time axis and the check of a whole picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "msd_plot/coverage.h"
#include "msd_plot/envelope.h"
#include "msd_plot/instant.h"
#include "msd_plot/options.h"
#include "msd_plot/picture_file.h"
#include "msd_plot/time_axis.h"
#include "mseed_files.h"

namespace viewer {
namespace {

using test::At;

TEST(IsoTime, ReadsTheFormsSeismologistsWrite) {
  const struct {
    const char* Text;
    std::optional<Instant> Want;
  } Cases[] = {
      {"2024-05-01T12:00:00", At(2024, 5, 1, 12)},
      {"2024-05-01", At(2024, 5, 1)},
      {"2024-05-01T12:34", At(2024, 5, 1, 12, 34)},
      {"2024-05-01 12:34:56Z", At(2024, 5, 1, 12, 34, 56)},
      {"2024-05-01T12:00:00.25", At(2024, 5, 1, 12, 0, 0, 250000)},
      {"2024-05-01T12:00:00.000001", At(2024, 5, 1, 12, 0, 0, 1)},
      {"2024-122T00:00:01", At(2024, 5, 1, 0, 0, 1)},  // day of year (leap year)
      {"2024-02-29", At(2024, 2, 29)},
      {"1969-12-31T23:59:59", -kMicrosPerSecond},
      {"2023-02-29", std::nullopt},
      {"2024-13-01", std::nullopt},
      {"2024-05-01T24:00:00", std::nullopt},
      {"2024-05-01T12:00:00.1234567", std::nullopt},
      {"2024-05-01T12", std::nullopt},
      {"2023-366", std::nullopt},
      {"yesterday", std::nullopt},
      {"2024-05-01T12:00:00+02", std::nullopt},
  };
  for (const auto& C : Cases) EXPECT_EQ(ParseIsoTime(C.Text), C.Want) << C.Text;
  EXPECT_EQ(IsoTimeText(At(2024, 5, 1, 12, 0, 50, 7)), "2024-05-01T12:00:50.000007");
  EXPECT_EQ(IsoTimeText(-1), "1969-12-31T23:59:59.999999");
  EXPECT_EQ(ReadableTimeText(At(2024, 5, 1, 12, 0, 50, 250000)), "2024-05-01 12:00:50.25");
  EXPECT_EQ(DurationText(15 * kMicrosPerSecond), "15 s");
  EXPECT_EQ(DurationText(kMicrosPerSecond / 4), "0.25 s");
  EXPECT_EQ(DurationText(120 * kMicrosPerSecond), "2 min");
  EXPECT_EQ(DurationText(86400 * kMicrosPerSecond), "1 d");
  EXPECT_EQ(DurationText((3 * 3600 + 20 * 60) * kMicrosPerSecond), "3 h 20 min");
  EXPECT_EQ(DurationText(125 * kMicrosPerSecond), "2 min 5 s");
  EXPECT_EQ(DurationText((86400 + 600) * kMicrosPerSecond), "1 d 0 h 10 min");
  EXPECT_EQ(DurationText((3 * 86400 + 7200 + 59) * kMicrosPerSecond), "3 d 2 h");
}

TEST(Arguments, ReadsOptionsAndRefusesMistakes) {
  const ParsedArguments Good =
      ParseArguments({"--availability", "-o", "a.SVG", "--start=2024-05-01", "--end", "2024-05-02",
                      "--width", "800", "--height=300", "x.msd", "--", "-odd.msd"});
  ASSERT_EQ(Good.What, ParsedArguments::Run) << Good.Problem;
  EXPECT_EQ(Good.Chosen.Kind, Chart::Availability);
  EXPECT_EQ(Good.Chosen.Format, PictureKind::Svg);
  EXPECT_EQ(Good.Chosen.Start, At(2024, 5, 1));
  EXPECT_EQ(Good.Chosen.End, At(2024, 5, 2));
  EXPECT_EQ(Good.Chosen.Width, 800);
  EXPECT_EQ(Good.Chosen.Height, 300);
  EXPECT_EQ(Good.Chosen.Inputs, (std::vector<std::string>{"x.msd", "-odd.msd"}));
  EXPECT_EQ(ParseArguments({"--print-envelope", "x.msd"}).What, ParsedArguments::Run);
  EXPECT_EQ(ParseArguments({"-opicture.pdf", "x"}).Chosen.Format, PictureKind::Pdf);
  EXPECT_EQ(ParseArguments({"x", "--help"}).What, ParsedArguments::Help);
  EXPECT_EQ(ParseArguments({"--version"}).What, ParsedArguments::Version);

  const std::vector<std::vector<std::string>> Wrong = {
      {},
      {"x.msd"},                               // no picture
      {"-o", "a.png"},                         // no input
      {"-o", "a.gif", "x"},                    // unknown kind
      {"-o", "a.png", "--start", "May", "x"},  // no ISO time
      {"-o", "a.png", "--start=2024-05-02", "--end=2024-05-01", "x"},
      {"-o", "a.png", "--width", "12", "x"},       // too narrow
      {"-o", "a.png", "--height", "1e3", "x"},     // not a whole number
      {"-o", "a.png", "--colour", "x"},            // unknown option
      {"-o", "a.png", "--availability=yes", "x"},  // a switch with a value
      {"-o", "a.png", "x", "--end"},               // value missing
      {"--availability", "--print-envelope", "-o", "a.png", "x"},
  };
  for (const auto& Arguments : Wrong) {
    std::string Line;
    for (const auto& A : Arguments) Line += A + " ";
    const ParsedArguments Parsed = ParseArguments(Arguments);
    EXPECT_EQ(Parsed.What, ParsedArguments::UsageError) << Line;
    EXPECT_FALSE(Parsed.Problem.empty()) << Line;
  }
}

// Records of 100 s at 1 Hz from second S: [S, S + 100).
Interval Seconds(Instant From, Instant To) {
  return {From * kMicrosPerSecond, To * kMicrosPerSecond};
}

TEST(Coverage, MergesRecordsAndFindsGapsAndOverlapsInAnyOrder) {
  const Instant Tolerance = kMicrosPerSecond / 2;  // half a period at 1 Hz
  const struct {
    const char* What;
    std::vector<Interval> Records;
    std::vector<Interval> Segments, Gaps, Overlaps;
  } Cases[] = {
      {"contiguous", {Seconds(0, 100), Seconds(100, 200)}, {Seconds(0, 200)}, {}, {}},
      {"within the tolerance",
       {Seconds(0, 100), {100 * kMicrosPerSecond + 400000, 200 * kMicrosPerSecond}},
       {Seconds(0, 200)},
       {},
       {}},
      {"gap",
       {Seconds(0, 100), Seconds(115, 200)},
       {Seconds(0, 100), Seconds(115, 200)},
       {Seconds(100, 115)},
       {}},
      {"overlap", {Seconds(0, 100), Seconds(90, 200)}, {Seconds(0, 200)}, {}, {Seconds(90, 100)}},
      {"a record twice",
       {Seconds(0, 100), Seconds(0, 100)},
       {Seconds(0, 100)},
       {},
       {Seconds(0, 100)}},
      {"out of order, closing a gap",
       {Seconds(200, 300), Seconds(0, 100), Seconds(100, 200)},
       {Seconds(0, 300)},
       {},
       {}},
      {"out of order, two gaps",
       {Seconds(300, 400), Seconds(0, 100), Seconds(150, 250)},
       {Seconds(0, 100), Seconds(150, 250), Seconds(300, 400)},
       {Seconds(100, 150), Seconds(250, 300)},
       {}},
      {"one record over two segments",
       {Seconds(0, 100), Seconds(200, 300), Seconds(50, 250)},
       {Seconds(0, 300)},
       {},
       {Seconds(50, 100), Seconds(200, 250)}},
      {"overlaps that touch are joined",
       {Seconds(0, 100), Seconds(100, 200), Seconds(50, 100), Seconds(100, 150)},
       {Seconds(0, 200)},
       {},
       {Seconds(50, 150)}},
  };
  for (const auto& C : Cases) {
    Coverage Covered;
    for (const Interval& R : C.Records) Covered.Add(R, Tolerance);
    EXPECT_EQ(Covered.Segments(), C.Segments) << C.What;
    EXPECT_EQ(Covered.Gaps(), C.Gaps) << C.What;
    EXPECT_EQ(Covered.Overlaps(), C.Overlaps) << C.What;
  }
  EXPECT_EQ(ClipTo({Seconds(0, 100), Seconds(150, 250)}, Seconds(50, 200)),
            (std::vector<Interval>{Seconds(50, 100), Seconds(150, 200)}));
}

TEST(Envelope, ColumnsSplitTheWindowExactly) {
  // 7 columns over 1000 us: boundaries at ceil(c * 1000 / 7).
  const Envelope Wave(5000, 6000, 7);
  for (int C = 0; C <= 7; ++C) {
    const Instant Start = Wave.ColumnStart(C);
    EXPECT_EQ(Start, 5000 + (C * 1000 + 6) / 7) << C;
    if (C < 7) {
      EXPECT_EQ(Wave.ColumnOf(Start), C);
    }
    if (C > 0) {
      EXPECT_EQ(Wave.ColumnOf(Start - 1), C - 1);
    }
  }
  // A window of a century at microseconds does not overflow.
  const Envelope Long(At(1950, 1, 1), At(2050, 1, 1), 20000);
  EXPECT_EQ(Long.ColumnOf(At(2050, 1, 1) - 1), 19999);
  EXPECT_EQ(Long.ColumnOf(At(2000, 1, 1)), 9999);
}

TEST(Envelope, FoldsMinimumMaximumFirstAndLastPerColumn) {
  // 10 samples per second over 10 s into 5 columns of 2 s: 20 samples each.
  Envelope Wave(0, 10 * kMicrosPerSecond, 5);
  std::vector<int32_t> Samples(60);
  for (std::size_t I = 0; I < Samples.size(); ++I) Samples[I] = static_cast<int32_t>(I);
  Samples[35] = 1000;  // a spike of one sample, at 2.5 s: column 1
  // The record starts 1 s before the window: samples 10..29 fall in column 0,
  // 30..49 in column 1, 50..59 in column 2.
  Wave.Fold(-kMicrosPerSecond, 10, Samples.data(), 60);
  EXPECT_EQ(Wave.Samples(), 50);
  const struct {
    int Column;
    double Min, Max, First, Last;
  } Want[] = {{0, 10, 29, 10, 29}, {1, 30, 1000, 30, 49}, {2, 50, 59, 50, 59}};
  for (const auto& W : Want) {
    const ColumnRange& C = Wave.Column(W.Column);
    EXPECT_TRUE(C.Filled) << W.Column;
    EXPECT_EQ(C.Min, W.Min) << W.Column;
    EXPECT_EQ(C.Max, W.Max) << W.Column;
    EXPECT_EQ(C.First, W.First) << W.Column;
    EXPECT_EQ(C.Last, W.Last) << W.Column;
  }
  EXPECT_FALSE(Wave.Column(3).Filled);
  // Records of one column out of time order: first and last go by time.
  const int32_t Later[] = {-5}, Earlier[] = {7};
  Wave.Fold(7 * kMicrosPerSecond, 10, Later, 1);
  Wave.Fold(6 * kMicrosPerSecond + 500000, 10, Earlier, 1);
  EXPECT_EQ(Wave.Column(3).First, 7);
  EXPECT_EQ(Wave.Column(3).Last, -5);
  EXPECT_EQ(Wave.Column(3).Min, -5);
  EXPECT_EQ(Wave.Column(3).Max, 7);
  // Float samples, and a record wholly after the window.
  const float Floats[] = {0.5f, -2.25f};
  Wave.Fold(9 * kMicrosPerSecond, 10, Floats, 2);
  EXPECT_EQ(Wave.Column(4).Min, -2.25);
  EXPECT_EQ(Wave.Column(4).Max, 0.5);
  Wave.Fold(20 * kMicrosPerSecond, 10, Floats, 2);
  EXPECT_EQ(Wave.Samples(), 54);
}

TEST(TimeAxis, LabelsFallOnRoundTimesWithoutCrowding) {
  const struct {
    Instant Span;
    double Width;
    double Seconds;
    const char* Format;
  } Cases[] = {
      {120 * kMicrosPerSecond, 1468, 10, "%H:%M:%S"},
      {86400 * kMicrosPerSecond, 1468, 7200, "%H:%M"},
      {86400 * kMicrosPerSecond, 400, 21600, "%H:%M"},
      {3 * 86400 * kMicrosPerSecond, 1468, 43200, "%m-%d %H:%M"},
      {2 * kMicrosPerSecond, 1468, 0.2, "%H:%M:%S%1"},
      {60 * 86400 * kMicrosPerSecond, 1468, 864000, "%Y-%m-%d"},
  };
  const Instant Start = At(2024, 5, 1);
  for (const auto& C : Cases) {
    const TimeTicks Ticks = ChooseTimeTicks(Start, Start + C.Span, C.Width, 9.5);
    EXPECT_EQ(Ticks.Seconds, C.Seconds) << C.Span;
    EXPECT_EQ(Ticks.Format, C.Format) << C.Span;
  }
  EXPECT_EQ(ChooseTimeTicks(Start, Start + 3600 * kMicrosPerSecond, 1000, 9.5).Caption,
            "Time (UTC), 2024-05-01");
}

TEST(PictureFile, TellsAWholePictureFromAPart) {
  const std::string Png = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, 'x') +
                          std::string("IEND\xae\x42\x60\x82", 8);
  EXPECT_TRUE(IsWholePicture(Png, PictureKind::Png));
  EXPECT_FALSE(IsWholePicture(Png.substr(0, Png.size() - 1), PictureKind::Png));
  EXPECT_FALSE(IsWholePicture(Png, PictureKind::Svg));
  EXPECT_TRUE(IsWholePicture("<?xml?>\n<svg width=\"1\">\n</svg>\n", PictureKind::Svg));
  EXPECT_FALSE(IsWholePicture("<?xml?>\n<svg width=\"1\">\n<path", PictureKind::Svg));
  EXPECT_TRUE(IsWholePicture("%PDF-1.5\n...\n%%EOF\n", PictureKind::Pdf));
  EXPECT_FALSE(IsWholePicture("%PDF-1.5\n...\n", PictureKind::Pdf));
}

}  // namespace
}  // namespace viewer
