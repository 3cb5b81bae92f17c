// The envelope that the quick look is drawn from, against libmseed's own
// samples: every column's minimum and maximum as msd_plot prints them
// (--print-envelope) must be those of the samples libmseed decodes for that
// column, for records of several lengths and encodings, at the window's
// edges, in a window of --start and --end, and for the converter's own
// records; a spike of one sample stands in its column of the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "mseed_files.h"
#include "testsupport/scratch_directory.h"

namespace viewer {
namespace {

using drumlin::test::ProgramRun;
using drumlin::test::ScratchDirectory;
using namespace test;

struct Range {
  double Min, Max;
  bool operator==(const Range&) const = default;
};
using Columns = std::map<std::pair<std::string, int>, Range>;

struct Printed {
  Instant Start = 0, End = 0;
  int Width = 0, Left = 0;
  Columns Envelope;
};

Printed ReadPrinted(const ProgramRun& Run) {
  Printed P;
  for (const std::string& Line : Run.Lines) {
    std::istringstream In(Line);
    std::string Word, Stream;
    In >> Word;
    if (Word != "envelope") continue;
    In >> Stream;
    if (Stream == "window") {
      std::string From, To, ColumnsWord, LeftWord;
      In >> From >> To >> ColumnsWord >> P.Width >> LeftWord >> P.Left;
      P.Start = ParseIsoTime(From).value_or(-1);
      P.End = ParseIsoTime(To).value_or(-1);
      continue;
    }
    int Column;
    Range R;
    In >> Column >> R.Min >> R.Max;
    P.Envelope[{Stream, Column}] = R;
  }
  return P;
}

// The columns' minima and maxima from libmseed's samples: sample i of a
// record at S + round(i * 1e6 / rate), column floor((t - start) * width /
// (end - start)).
Columns Expected(const std::vector<std::string>& Files, Instant Start, Instant End, int Width) {
  Columns Want;
  for (const std::string& File : Files)
    for (const DecodedRecord& R : DecodeFile(File))
      for (std::size_t I = 0; I < R.Samples.size(); ++I) {
        const Instant T = R.Start + std::llround(static_cast<double>(I) * 1e6 / R.Rate);
        if (T < Start || T >= End) continue;
        const int Column =
            static_cast<int>(static_cast<__int128>(T - Start) * Width / (End - Start));
        const auto [It, New] =
            Want.try_emplace({R.Stream, Column}, Range{R.Samples[I], R.Samples[I]});
        if (!New) {
          It->second.Min = std::min(It->second.Min, R.Samples[I]);
          It->second.Max = std::max(It->second.Max, R.Samples[I]);
        }
      }
  return Want;
}

// Ten minutes from 2024-05-03 00:00 in three streams of other makes than
// the converter's: Steim-2 in 512-byte records at 100 Hz with a spike of one
// sample, 32-bit integers in 4096-byte records at 40 Hz from a start off the
// second, 32-bit floats in 1024-byte records at 20 Hz.
struct Fixture {
  ScratchDirectory Work;
  std::vector<std::string> Files;
  Instant Spike = 0;
  Fixture() {
    const Instant Start = At(2024, 5, 3);
    Trace Z{.Channel = "HHZ", .Start = Start, .Rate = 100, .RecordLength = 512, .Encoding = 11};
    std::vector<int32_t> Samples = Noise(60000, 300, 1);
    Samples[33333] = 50000;
    Spike = Start + 33333 * 10000;
    AppendRecords(Work.File("z.msd"), Z, Samples);
    Trace N{
        .Channel = "HHN", .Start = Start + 13000, .Rate = 40, .RecordLength = 4096, .Encoding = 3};
    AppendRecords(Work.File("n.msd"), N, Noise(24000 - 2, 100000, 2));
    Trace E{.Channel = "HHE", .Start = Start, .Rate = 20, .RecordLength = 1024, .Encoding = 4};
    std::vector<float> Floats(12000);
    for (std::size_t I = 0; I < Floats.size(); ++I)
      Floats[I] = static_cast<float>(I % 97) * 0.125f - 3.0f;
    AppendRecords(Work.File("e.msd"), E, Floats);
    Files = {Work.File("z.msd"), Work.File("n.msd"), Work.File("e.msd")};
  }
};

TEST(Envelope, IsLibmseedsSamplesPerColumn) {
  Fixture F;
  const std::string Example = std::string(EXAMPLES_DIR) + "/DM01_20240501_streams.msd";
  const struct {
    const char* What;
    std::vector<std::string> Files;
    std::vector<std::string> Options;
    bool EdgesFilled = true;  // a sample in the window's first and last column
  } Cases[] = {
      {"three makes of record, the data's span", F.Files, {}},
      {"a window cutting records",
       F.Files,
       {"--start", "2024-05-03T00:02:00.005", "--end", "2024-05-03T00:07:30.5", "--width", "997"}},
      {"fewer samples than columns",
       F.Files,
       {"--start", "2024-05-03T00:05:00", "--end", "2024-05-03T00:05:02"},
       false},
      {"the converter's example, Steim-1 in 4096-byte records", {Example}, {}},
  };
  for (const auto& C : Cases) {
    std::vector<std::string> Arguments = {"--print-envelope", "-o", "look.png"};
    Arguments.insert(Arguments.end(), C.Options.begin(), C.Options.end());
    Arguments.insert(Arguments.end(), C.Files.begin(), C.Files.end());
    const ProgramRun Run = RunMsdPlot(Arguments, F.Work.Path());
    ASSERT_EQ(Run.Status, 0) << C.What << "\n" << Run.Errors;
    const Printed P = ReadPrinted(Run);
    ASSERT_GT(P.Width, 100) << C.What;
    const Columns Want = Expected(C.Files, P.Start, P.End, P.Width);
    ASSERT_FALSE(Want.empty()) << C.What;
    EXPECT_EQ(P.Envelope.size(), Want.size()) << C.What;
    int Wrong = 0;
    for (const auto& [Key, Range] : Want) {
      const auto Found = P.Envelope.find(Key);
      if (Found == P.Envelope.end() || !(Found->second == Range)) {
        if (++Wrong <= 5)
          ADD_FAILURE() << C.What << ": " << Key.first << " column " << Key.second << " wants "
                        << Range.Min << " to " << Range.Max;
      }
    }
    EXPECT_EQ(Wrong, 0) << C.What;
    // The columns at both edges of the window hold their samples.
    for (const int Edge : {0, P.Width - 1})
      EXPECT_TRUE(!C.EdgesFilled || Want.count({"XX.TEST..HHZ", Edge}) ||
                  Want.count({"XX.DRUM.00.HHZ", Edge}))
          << C.What << ": column " << Edge;
    EXPECT_FALSE(ReadPng(F.Work.File("look.png")).Rgb.empty()) << C.What;
  }
  // The window's own times as asked.
  const ProgramRun Windowed = RunMsdPlot({"--print-envelope", "--start", "2024-05-03T00:02:00.005",
                                          "--end", "2024-05-03T00:07:30.5", F.Files[0]},
                                         F.Work.Path());
  const Printed P = ReadPrinted(Windowed);
  EXPECT_EQ(P.Start, At(2024, 5, 3, 0, 2, 0, 5000));
  EXPECT_EQ(P.End, At(2024, 5, 3, 0, 7, 30, 500000));
}

// A trace-coloured pixel: the dark blue of the waveform, or a blend of it
// with the paper at the line's edge.
bool IsTrace(const Pixels& Picture, int X, int Y) {
  const std::size_t I = (static_cast<std::size_t>(Y) * static_cast<std::size_t>(Picture.Width) +
                         static_cast<std::size_t>(X)) *
                        3;
  const int R = Picture.Rgb[I], G = Picture.Rgb[I + 1], B = Picture.Rgb[I + 2];
  return B > R + 60 && B > G + 40;
}

int TraceHeight(const Pixels& Picture, int X) {
  int Count = 0;
  for (int Y = 0; Y < Picture.Height; ++Y) Count += IsTrace(Picture, X, Y);
  return Count;
}

TEST(Envelope, ASpikeOfOneSampleShowsInItsColumn) {
  Fixture F;
  const ProgramRun Run =
      RunMsdPlot({"--print-envelope", "-o", "spike.png", F.Files[0]}, F.Work.Path());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  const Printed P = ReadPrinted(Run);
  const int Column =
      static_cast<int>(static_cast<__int128>(F.Spike - P.Start) * P.Width / (P.End - P.Start));
  ASSERT_TRUE(P.Envelope.count({"XX.TEST..HHZ", Column}));
  EXPECT_EQ(P.Envelope.at({"XX.TEST..HHZ", Column}).Max, 50000);
  for (const int Beside : {Column - 1, Column + 1})
    EXPECT_LE(P.Envelope.at({"XX.TEST..HHZ", Beside}).Max, 300);

  // In the picture, the spike's pixel column is a stroke over most of the
  // panel; columns of noise away from it hold a few pixels of trace.
  const Pixels Picture = ReadPng(F.Work.File("spike.png"));
  ASSERT_GT(Picture.Width, 0);
  const int X = P.Left + Column;
  const int Spike =
      std::max({TraceHeight(Picture, X - 1), TraceHeight(Picture, X), TraceHeight(Picture, X + 1)});
  EXPECT_GT(Spike, Picture.Height / 3) << "at pixel column " << X;
  for (const int Away : {X - 200, X + 200, P.Left + 10, P.Left + P.Width - 10})
    EXPECT_LT(TraceHeight(Picture, Away), Picture.Height / 20) << "at pixel column " << Away;
}

}  // namespace
}  // namespace viewer
