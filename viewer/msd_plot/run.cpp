#include "msd_plot/run.h"

#include <cinttypes>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "msd_plot/availability.h"
#include "msd_plot/data_scan.h"
#include "msd_plot/input_files.h"
#include "msd_plot/picture_file.h"
#include "msd_plot/plplot_page.h"
#include "msd_plot/quick_look.h"

namespace viewer {

namespace {

bool Reaches(Interval Span, Interval Window) {
  return Span.End > Window.Start && Span.Start < Window.End;
}

std::string Plural(int64_t Count, const char* One, const char* Many) {
  return std::to_string(Count) + " " + (Count == 1 ? One : Many);
}

// "2024-05-01 12:00:00 to 12:02:00 UTC (2 min)": the date once when both
// ends share it.
std::string SpanText(Interval Window) {
  const std::string From = ReadableTimeText(Window.Start);
  std::string To = ReadableTimeText(Window.End);
  if (To.compare(0, 10, From, 0, 10) == 0) To = To.substr(11);
  return From + " to " + To + " UTC (" + DurationText(Window.End - Window.Start) + ")";
}

// The stream's line, "XX.DM01..HHZ stream FIRST END records N samples M"
// (its whole span; the records and samples reaching into the window), then
// one line per gap and overlap reaching into the window, with its real start
// and end: "XX.DM01..HHZ gap 2024-05-01T12:00:50.000000
// 2024-05-01T12:01:05.000000 15 s".
void PrintStream(const StreamData& Stream, Interval Window, int64_t& Gaps, int64_t& Overlaps) {
  std::printf("%s stream %s %s records %" PRId64 " samples %" PRId64 "\n", Stream.Id.c_str(),
              IsoTimeText(Stream.Span.Start).c_str(), IsoTimeText(Stream.Span.End).c_str(),
              Stream.RecordsInWindow, Stream.SamplesInWindow);
  const auto Print = [&](const char* Kind, const Interval& I) {
    std::printf("%s %s %s %s %s\n", Stream.Id.c_str(), Kind, IsoTimeText(I.Start).c_str(),
                IsoTimeText(I.End).c_str(), DurationText(I.End - I.Start).c_str());
  };
  for (const Interval& Gap : Stream.Covered.Gaps())
    if (Reaches(Gap, Window)) {
      Print("gap", Gap);
      ++Gaps;
    }
  for (const Interval& Overlap : Stream.Covered.Overlaps())
    if (Reaches(Overlap, Window)) {
      Print("overlap", Overlap);
      ++Overlaps;
    }
}

void PrintEnvelope(const std::string& Id, const Envelope& Wave) {
  for (int C = 0; C < Wave.Columns(); ++C) {
    const ColumnRange& Column = Wave.Column(C);
    if (Column.Filled)
      std::printf("envelope %s %d %.17g %.17g\n", Id.c_str(), C, Column.Min, Column.Max);
  }
}

}  // namespace

int Run(const Options& O) {
  bool Failed = false;
  std::set<std::string> Reported;
  const ProblemReport Report = [&](const std::string& Path, const std::string& Reason) {
    Failed = true;
    if (Reported.insert(Path).second)
      std::fprintf(stderr, "msd_plot: %s: %s\n", Path.c_str(), Reason.c_str());
  };

  const InputFiles Found = FindInputFiles(O.Inputs);
  for (const auto& [Folder, Reason] : Found.Problems) Report(Folder, Reason);
  if (!Found.Skipped.empty())
    std::fprintf(stderr,
                 "msd_plot: note: left out %s in the folders that are not miniSEED (%s%s)\n",
                 Plural(static_cast<int64_t>(Found.Skipped.size()), "file", "files").c_str(),
                 Found.Skipped.front().c_str(), Found.Skipped.size() > 1 ? ", ..." : "");

  // The picture's temporary first: an unwritable folder shows before the reading.
  std::optional<PictureFile> Picture;
  if (!O.Picture.empty()) {
    Picture.emplace(O.Picture);
    if (Picture->TemporaryName().empty()) {
      std::fprintf(stderr, "msd_plot: cannot write %s: %s\n", O.Picture.c_str(),
                   Picture->Problem().c_str());
      return 1;
    }
  }

  std::optional<Interval> Asked;
  if (O.Start || O.End)
    Asked = Interval{O.Start.value_or(INT64_MIN / 4), O.End.value_or(INT64_MAX / 4)};
  const Scan Read = ScanHeaders(Found.Files, Asked, Report);
  if (!Read.Span) {
    std::fprintf(stderr, "msd_plot: nothing to draw: no miniSEED data records read\n");
    return 1;
  }
  const Interval Window{O.Start.value_or(Read.Span->Start), O.End.value_or(Read.Span->End)};
  std::vector<std::size_t> Shown;  // the streams with data in the window
  for (std::size_t I = 0; I < Read.Streams.size(); ++I)
    if (Window.End > Window.Start && Reaches(Read.Streams[I].Span, Window)) Shown.push_back(I);
  if (Shown.empty()) {
    std::fprintf(stderr, "msd_plot: nothing to draw: no data from %s to %s\n",
                 IsoTimeText(Window.Start).c_str(), IsoTimeText(Window.End).c_str());
    return 1;
  }

  int64_t Records = 0, Gaps = 0, Overlaps = 0;
  for (const std::size_t I : Shown) {
    Records += Read.Streams[I].RecordsInWindow;
    PrintStream(Read.Streams[I], Window, Gaps, Overlaps);
  }
  const std::string Breaks =
      Plural(Gaps, "gap", "gaps") + ", " + Plural(Overlaps, "overlap", "overlaps");

  if (O.Kind == Chart::QuickLook) {
    const QuickLookLayout Layout = MakeQuickLookLayout(O.Width, O.Height, Shown.size());
    std::vector<Envelope> Waves;
    Waves.reserve(Read.Streams.size());
    for (std::size_t I = 0; I < Read.Streams.size(); ++I)
      Waves.emplace_back(Window.Start, Window.End, Layout.Columns);
    FoldSamples(Read, Waves, Report);
    int64_t Samples = 0;
    std::vector<QuickLookPanel> Panels;
    for (const std::size_t I : Shown) {
      const StreamData& Stream = Read.Streams[I];
      Samples += Waves[I].Samples();
      Panels.push_back({Stream.Id, &Waves[I], ClipTo(Stream.Covered.Gaps(), Window),
                        ClipTo(Stream.Covered.Overlaps(), Window)});
    }
    if (O.PrintEnvelope) {
      std::printf("envelope window %s %s columns %d left %d\n", IsoTimeText(Window.Start).c_str(),
                  IsoTimeText(Window.End).c_str(), Layout.Columns, static_cast<int>(Layout.Left));
      for (const std::size_t I : Shown) PrintEnvelope(Read.Streams[I].Id, Waves[I]);
    }
    if (Picture) {
      {
        const PlplotPage Page(O.Format, Picture->TemporaryName(), Layout.Width, Layout.Height);
        DrawQuickLook(Page, Layout, Panels, Window, SpanText(Window),
                      Plural(static_cast<int64_t>(Panels.size()), "stream", "streams") + ", " +
                          Plural(Records, "record", "records") + ", " +
                          Plural(Samples, "sample", "samples") + "; " + Breaks +
                          " (gaps shaded red, overlaps blue)");
      }
    }
  } else {
    std::vector<AvailabilityRow> Rows;
    int64_t Samples = 0;
    for (const std::size_t I : Shown) {
      const StreamData& Stream = Read.Streams[I];
      Samples += Stream.SamplesInWindow;
      Rows.push_back({Stream.Id, ClipTo(Stream.Covered.Segments(), Window),
                      ClipTo(Stream.Covered.Gaps(), Window),
                      ClipTo(Stream.Covered.Overlaps(), Window)});
    }
    const PlplotPage Page(O.Format, Picture->TemporaryName(), O.Width,
                          AvailabilityHeight(O.Height, Rows.size()));
    DrawAvailability(Page, Rows, Window, "Data availability, " + SpanText(Window),
                     Plural(static_cast<int64_t>(Rows.size()), "stream", "streams") + ", " +
                         Plural(Records, "record", "records") + ", " +
                         Plural(Samples, "sample", "samples") + "; " + Breaks +
                         " (gaps marked red, overlaps orange)");
  }
  if (Picture) {
    if (!Picture->Commit(O.Format)) {
      std::fprintf(stderr, "msd_plot: cannot write %s: %s\n", O.Picture.c_str(),
                   Picture->Problem().c_str());
      return 1;
    }
    std::printf("wrote %s\n", O.Picture.c_str());
  }
  return Failed ? 1 : 0;
}

}  // namespace viewer
