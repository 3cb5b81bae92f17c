// msd_plot on files and folders: the gaps and overlaps it prints and shades,
// the availability of a folder and of an SDS archive, files that are not
// miniSEED, and its command line's mistakes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mseed_files.h"
#include "testsupport/files.h"
#include "testsupport/scratch_directory.h"

namespace viewer {
namespace {

using drumlin::test::ProgramRun;
using drumlin::test::ReadWholeFile;
using drumlin::test::ScratchDirectory;
using drumlin::test::WriteWholeFile;
using namespace test;

const std::string kExampleYcf = std::string(EXAMPLES_DIR) + "/DM01_20240501.YCF";

std::vector<std::string> LinesWith(const ProgramRun& Run, const std::string& Word) {
  std::vector<std::string> Found;
  for (const std::string& Line : Run.Lines)
    if (Line.find(" " + Word + " ") != std::string::npos) Found.push_back(Line);
  return Found;
}

std::vector<std::string> StreamsListed(const ProgramRun& Run) {
  std::vector<std::string> Streams;
  for (const std::string& Line : LinesWith(Run, "stream"))
    Streams.push_back(Line.substr(0, Line.find(' ')));
  return Streams;
}

// Of one pixel column, the rows painted in exactly this colour.
int RowsOf(const Pixels& Picture, int X, uint8_t R, uint8_t G, uint8_t B) {
  int Count = 0;
  for (int Y = 0; Y < Picture.Height; ++Y) Count += Picture.Same(X, Y, R, G, B);
  return Count;
}

// 20 Hz from 2024-05-03 00:00: 200 s, then 100 s starting 20 s before the
// first part's end (an overlap from 00:03:00 to 00:03:20), then a gap of
// two minutes from 00:04:40 to 00:06:40, and 200 s more.
void WriteBrokenStream(const std::string& Path) {
  const Instant Start = At(2024, 5, 3);
  Trace Shape{.Channel = "BHZ", .Start = Start, .Rate = 20};
  AppendRecords(Path, Shape, Noise(4000, 1000, 5));
  Shape.Start = Start + 180 * kMicrosPerSecond;
  AppendRecords(Path, Shape, Noise(2000, 1000, 6));
  Shape.Start = Start + 400 * kMicrosPerSecond;
  AppendRecords(Path, Shape, Noise(4000, 1000, 7));
}

TEST(Breaks, GapsAndOverlapsArePrintedWithTheirTimesAndShaded) {
  ScratchDirectory Work;
  WriteBrokenStream(Work.File("broken.msd"));
  const ProgramRun Run =
      RunMsdPlot({"--print-envelope", "-o", "broken.png", "broken.msd"}, Work.Path());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(LinesWith(Run, "gap"),
            std::vector<std::string>{"XX.TEST..BHZ gap 2024-05-03T00:04:40.000000 "
                                     "2024-05-03T00:06:40.000000 2 min"});
  EXPECT_EQ(LinesWith(Run, "overlap"),
            std::vector<std::string>{"XX.TEST..BHZ overlap 2024-05-03T00:03:00.000000 "
                                     "2024-05-03T00:03:20.000000 20 s"});

  // The shading: red behind the gap's pixel columns, blue behind the
  // overlap's, neither elsewhere. The window is the data's span, 10 min.
  int Width = 0, Left = 0;
  for (const std::string& Line : Run.Lines)
    if (Line.starts_with("envelope window"))
      std::sscanf(Line.c_str(), "envelope window %*s %*s columns %d left %d", &Width, &Left);
  ASSERT_GT(Width, 0);
  const Pixels Picture = ReadPng(Work.File("broken.png"));
  ASSERT_GT(Picture.Width, 0);
  const auto X = [&](int Second) { return Left + Second * Width / 600; };
  const int Tall = Picture.Height / 4;
  EXPECT_GT(RowsOf(Picture, X(340), 255, 196, 196), Tall);  // inside the gap
  EXPECT_GT(RowsOf(Picture, X(282), 255, 196, 196), Tall);
  EXPECT_GT(RowsOf(Picture, X(398), 255, 196, 196), Tall);
  EXPECT_GT(RowsOf(Picture, X(190), 196, 214, 255), 4);  // the overlap, behind the trace
  for (const int Second : {10, 150, 270, 410, 590}) {
    EXPECT_EQ(RowsOf(Picture, X(Second), 255, 196, 196), 0) << Second;
    EXPECT_EQ(RowsOf(Picture, X(Second), 196, 214, 255), 0) << Second;
  }

  // A window from inside the gap on: the gap is printed with its real times.
  const ProgramRun Late =
      RunMsdPlot({"--start", "2024-05-03T00:05:00", "-o", "late.png", "broken.msd"}, Work.Path());
  ASSERT_EQ(Late.Status, 0) << Late.Errors;
  EXPECT_EQ(LinesWith(Late, "gap"), LinesWith(Run, "gap"));
  EXPECT_TRUE(LinesWith(Late, "overlap").empty());

  // The converter's example: a 15 s break in each of its three components.
  const ProgramRun Example = RunMsdPlot({"-o", "example.png", kExampleMsd}, Work.Path());
  ASSERT_EQ(Example.Status, 0) << Example.Errors;
  std::vector<std::string> Want;
  for (const char* Component : {"HHZ", "HHN", "HHE"})
    Want.push_back(std::string("XX.DRUM.00.") + Component +
                   " gap 2024-05-01T12:00:50.000000 2024-05-01T12:01:05.000000 15 s");
  EXPECT_EQ(LinesWith(Example, "gap"), Want);
}

TEST(Availability, OfAFolderFindsItsMiniseedFiles) {
  ScratchDirectory Work;
  std::filesystem::create_directories(Work.File("data/sub"));
  std::filesystem::create_directories(Work.File("data/.hidden"));
  const Instant Start = At(2024, 5, 3);
  AppendRecords(Work.File("data/z.msd"), {.Channel = "HHZ", .Start = Start}, Noise(30000, 50, 1));
  AppendRecords(Work.File("data/sub/n.msd"),
                {.Channel = "HHN", .Start = Start, .RecordLength = 4096, .Encoding = 3},
                Noise(30000, 50, 2));
  WriteBrokenStream(Work.File("data/sub/broken"));  // no extension: found by its header
  // Left out: hidden files and folders, and files that are not miniSEED.
  AppendRecords(Work.File("data/.hidden/e.msd"), {.Channel = "HHE", .Start = Start},
                Noise(3000, 50, 3));
  AppendRecords(Work.File("data/.e.msd"), {.Channel = "HHE", .Start = Start}, Noise(3000, 50, 3));
  WriteWholeFile(Work.File("data/notes.txt"), "station visited 2024-05-03\n");
  WriteWholeFile(Work.File("data/empty.msd"), "");

  const ProgramRun Run = RunMsdPlot({"--availability", "-o", "folder.png", "data"}, Work.Path());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  // Files in path order: data/sub/broken, data/sub/n.msd, data/z.msd.
  EXPECT_EQ(StreamsListed(Run),
            (std::vector<std::string>{"XX.TEST..BHZ", "XX.TEST..HHN", "XX.TEST..HHZ"}));
  EXPECT_EQ(LinesWith(Run, "gap").size(), 1u);
  EXPECT_EQ(LinesWith(Run, "overlap").size(), 1u);
  // One note names what was left out; hidden files are not even mentioned.
  EXPECT_NE(Run.Errors.find("left out 2 files"), std::string::npos) << Run.Errors;
  EXPECT_EQ(std::count(Run.Errors.begin(), Run.Errors.end(), '\n'), 1) << Run.Errors;
  EXPECT_EQ(Run.Errors.find(".hidden"), std::string::npos);

  // Bars in green, the gap marked in red.
  const Pixels Picture = ReadPng(Work.File("folder.png"));
  ASSERT_GT(Picture.Width, 0);
  int Bar = 0, Gap = 0;
  for (int Y = 0; Y < Picture.Height; ++Y)
    for (int X = 0; X < Picture.Width; ++X) {
      Bar += Picture.Same(X, Y, 50, 140, 70);
      Gap += Picture.Same(X, Y, 215, 35, 35);
    }
  EXPECT_GT(Bar, 3 * Picture.Width * 10);
  EXPECT_GT(Gap, 100);
}

TEST(Availability, OfAnSdsArchiveAsItIs) {
  ScratchDirectory Work;
  // Two days of two channels at 1 Hz, one file per channel and day in the
  // archive's layout; the second day of HHZ breaks from 06:00 to 06:30.
  const auto DayFile = [&](const std::string& Channel, int DayOfYear) {
    const std::string Folder = Work.File("archive/2024/XX/DM07/" + Channel + ".D");
    std::filesystem::create_directories(Folder);
    return Folder + "/XX.DM07.." + Channel + ".D.2024." + std::to_string(DayOfYear);
  };
  for (const std::string Channel : {"HHZ", "HHN"})
    for (const int Day : {123, 124}) {
      const Instant Midnight = At(2024, 1, 1) + (Day - 1) * 86400 * kMicrosPerSecond;
      Trace Shape{.Station = "DM07", .Channel = Channel, .Start = Midnight, .Rate = 1};
      if (Channel == "HHZ" && Day == 124) {
        AppendRecords(DayFile(Channel, Day), Shape, Noise(6 * 3600, 400, 9));
        Shape.Start = Midnight + int64_t{6 * 3600 + 1800} * kMicrosPerSecond;
        AppendRecords(DayFile(Channel, Day), Shape, Noise(86400 - 6 * 3600 - 1800, 400, 10));
      } else {
        AppendRecords(DayFile(Channel, Day), Shape, Noise(86400, 400, static_cast<uint32_t>(Day)));
      }
    }
  // A writer's lock file beside the data, hidden.
  WriteWholeFile(Work.File("archive/2024/XX/DM07/HHZ.D/.XX.DM07..HHZ.D.2024.124.lock"), "1234\n");

  const ProgramRun Run = RunMsdPlot({"--availability", "-o", "sds.png", "archive"}, Work.Path());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(Run.Errors, "");
  EXPECT_EQ(LinesWith(Run, "stream"),
            (std::vector<std::string>{
                "XX.DM07..HHN stream 2024-05-02T00:00:00.000000 2024-05-04T00:00:00.000000 "
                "records " +
                    std::to_string(2 * DecodeFile(DayFile("HHN", 123)).size()) + " samples 172800",
                "XX.DM07..HHZ stream 2024-05-02T00:00:00.000000 2024-05-04T00:00:00.000000 "
                "records " +
                    std::to_string(DecodeFile(DayFile("HHZ", 123)).size() +
                                   DecodeFile(DayFile("HHZ", 124)).size()) +
                    " samples 171000"}));
  // The day files join at midnight without a gap; the break is one.
  EXPECT_EQ(LinesWith(Run, "gap"),
            std::vector<std::string>{"XX.DM07..HHZ gap 2024-05-03T06:00:00.000000 "
                                     "2024-05-03T06:30:00.000000 30 min"});
  EXPECT_GT(ReadPng(Work.File("sds.png")).Width, 0);

  // One day of the archive, by --start and --end, and the channel's folder alone.
  const ProgramRun Day = RunMsdPlot({"--availability", "--start", "2024-05-03", "--end",
                                     "2024-05-04", "-o", "day.svg", "archive/2024/XX/DM07/HHZ.D"},
                                    Work.Path());
  ASSERT_EQ(Day.Status, 0) << Day.Errors;
  EXPECT_EQ(StreamsListed(Day), std::vector<std::string>{"XX.DM07..HHZ"});
  EXPECT_EQ(LinesWith(Day, "gap"), LinesWith(Run, "gap"));
}

TEST(BadInputs, AreNamedOnceAndTheOthersStillDrawn) {
  ScratchDirectory Work;
  const std::string Example = ReadWholeFile(kExampleMsd);
  WriteWholeFile(Work.File("good.msd"), Example);
  WriteWholeFile(Work.File("empty.msd"), "");
  WriteWholeFile(Work.File("digitiser.YCF"), ReadWholeFile(kExampleYcf));
  // A whole record and a part of the next.
  WriteWholeFile(Work.File("truncated.msd"), Example.substr(0, 4096 + 1000));
  WriteWholeFile(Work.File("cut.msd"), Example.substr(0, 1000));
  const struct {
    const char* File;
    const char* Reason;
    bool SomeRecords;  // a whole record before the problem, drawn too
  } Cases[] = {
      {"empty.msd", "empty file", false},
      {"digitiser.YCF", "not miniSEED", false},
      {"truncated.msd", "truncated: 1000 bytes after the last whole record at byte 4096", true},
      {"cut.msd", "truncated: 1000 bytes, not one whole record", false},
      {"missing.msd", "cannot read: No such file or directory", false},
  };
  for (const auto& C : Cases) {
    WriteWholeFile(Work.File("old.png"), "an older picture");
    const ProgramRun Both = RunMsdPlot({"-o", "both.png", C.File, "good.msd"}, Work.Path());
    EXPECT_EQ(Both.Status, 1) << C.File;
    EXPECT_EQ(std::count(Both.Errors.begin(), Both.Errors.end(), '\n'), 1) << Both.Errors;
    EXPECT_TRUE(Both.Errors.starts_with(std::string("msd_plot: ") + C.File + ": " + C.Reason))
        << Both.Errors;
    EXPECT_EQ(StreamsListed(Both).size(), 3u) << C.File;
    EXPECT_GT(ReadPng(Work.File("both.png")).Width, 0) << C.File;

    // Alone, it leaves nothing to draw; the older picture stays as it was.
    const ProgramRun Alone = RunMsdPlot({"-o", "old.png", C.File}, Work.Path());
    EXPECT_EQ(Alone.Status, 1) << C.File;
    EXPECT_NE(Alone.Errors.find(std::string("msd_plot: ") + C.File + ": "), std::string::npos);
    if (C.SomeRecords) {
      EXPECT_NE(ReadWholeFile(Work.File("old.png")), "an older picture") << C.File;
    } else {
      EXPECT_NE(Alone.Errors.find("nothing to draw"), std::string::npos) << Alone.Errors;
      EXPECT_EQ(ReadWholeFile(Work.File("old.png")), "an older picture") << C.File;
    }
  }
  // No temporary picture left behind by any of these runs.
  for (const auto& Entry : std::filesystem::directory_iterator(Work.Path()))
    EXPECT_FALSE(Entry.path().filename().string().starts_with(".")) << Entry.path();
}

TEST(Usage, MistakesExitWithStatusTwo) {
  ScratchDirectory Work;
  const std::vector<std::vector<std::string>> Wrong = {{},
                                                       {"x.msd"},
                                                       {"-o", "a.gif", "x.msd"},
                                                       {"--start", "noon", "-o", "a.png", "x.msd"},
                                                       {"--frobnicate", "-o", "a.png", "x.msd"}};
  for (const auto& Arguments : Wrong) {
    const ProgramRun Run = RunMsdPlot(Arguments, Work.Path());
    EXPECT_EQ(Run.Status, 2) << Run.Errors;
    EXPECT_TRUE(Run.Errors.starts_with("msd_plot: ")) << Run.Errors;
    EXPECT_NE(Run.Errors.find("--help"), std::string::npos) << Run.Errors;
  }
  const ProgramRun Help = RunMsdPlot({"--help"}, Work.Path());
  EXPECT_EQ(Help.Status, 0);
  EXPECT_NE(Help.Output.find("--availability"), std::string::npos);
  const ProgramRun Version = RunMsdPlot({"--version"}, Work.Path());
  EXPECT_EQ(Version.Status, 0);
  EXPECT_TRUE(Version.Output.starts_with("msd_plot ")) << Version.Output;
}

}  // namespace
}  // namespace viewer
