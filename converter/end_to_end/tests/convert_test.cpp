// Whole files through the DRUMLIN program, read back with libmseed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "testsupport/base36.h"
#include "testsupport/files.h"
#include "testsupport/mseed_reader.h"
#include "testsupport/program_run.h"
#include "testsupport/reference_time.h"
#include "testsupport/scratch_directory.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

namespace fs = std::filesystem;
using namespace test;

const std::string kSystemText = "SY01";
const std::string kInvalid = "WARNING: Invalid YCF Data block - skipping";

// 2024-05-01 at the given time of day.
UsTime At(int Hour, int Minute, int Second, int Usec = 0) {
  return EncodeUsDate(2024, 5, 1) + EncodeUsTime(Hour, Minute, Second, Usec);
}

std::string GapLine(const std::string& From, const std::string& To) {
  return "WARNING: Gap in time-series from 05/01/24 " + From + " to 05/01/24 " + To;
}

YcfHeaderSpec Header(const std::string& Stream, uint8_t RateCode, UsTime Start,
                     uint8_t Compression = 1) {
  YcfHeaderSpec H;
  H.SystemId = Base36Value(kSystemText);
  H.StreamId = Base36Value(Stream);
  H.RateCode = RateCode;
  H.Compression = Compression;
  SetBlockStart(H, Start);
  return H;
}

std::vector<YcfBlock> Stream(const std::string& Text, uint8_t RateCode, UsTime Start,
                             const std::vector<int32_t>& Samples) {
  return MakeStream({Base36Value(kSystemText), Base36Value(Text), RateCode, 0}, Start, Samples);
}

// A random walk whose steps need 8, 16 and 32 bits in turn, so that the
// stream's blocks use every compression code.
std::vector<int32_t> Seismogram(int Count, uint32_t Seed) {
  std::mt19937 Random(Seed);
  std::vector<int32_t> S;
  int32_t V = 0;
  for (int I = 0; I < Count; ++I) {
    const int Phase = I / 1000 % 3;
    const int32_t Limit = Phase == 0 ? 60 : Phase == 1 ? 20000 : 5000000;
    S.push_back(V);
    V += std::uniform_int_distribution<int32_t>(-Limit, Limit)(Random);
  }
  return S;
}

std::vector<int32_t> Ramp(int Count, int32_t From, int32_t Step) {
  std::vector<int32_t> S;
  for (int I = 0; I < Count; ++I) S.push_back(From + I * Step);
  return S;
}

std::vector<int32_t> Joined(std::initializer_list<std::vector<int32_t>> Parts) {
  std::vector<int32_t> All;
  for (const auto& P : Parts) All.insert(All.end(), P.begin(), P.end());
  return All;
}

struct Channel {
  std::vector<int32_t> Samples;
  std::vector<int64_t> Times;  // hptime of each sample
};

// What a stream should come back as: its samples and their times.
void Expect(Channel& C, UsTime Start, int RateHz, const std::vector<int32_t>& Samples) {
  for (std::size_t I = 0; I < Samples.size(); ++I) {
    C.Samples.push_back(Samples[I]);
    C.Times.push_back(UsTimeToHpTime(Start) + static_cast<int64_t>(I) * 1000000 / RateHz);
  }
}

// Checks a converted file stream by stream: every sample exact, every record
// intact (X0, Xn) and starting at the time of its first sample, with the
// expected codes and rate.
void CheckChannels(const DecodedFile& Out, const std::map<std::string, Channel>& Expected,
                   double Rate = 100.0) {
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  std::map<std::string, std::vector<int32_t>> Got;
  for (const DecodedRecord& R : Out.Records) {
    const std::string Key = R.Station + "." + R.Channel;
    const auto It = Expected.find(Key);
    ASSERT_NE(It, Expected.end()) << "unexpected stream " << Key;
    std::vector<int32_t>& Samples = Got[Key];
    ASSERT_LT(Samples.size(), It->second.Times.size()) << Key;
    EXPECT_EQ(R.StartHpTime, It->second.Times[Samples.size()])
        << Key << " record at sample " << Samples.size();
    EXPECT_EQ(R.SampleRate, Rate) << Key;
    EXPECT_EQ(R.Network, "") << Key;
    EXPECT_EQ(R.Location, "") << Key;
    ASSERT_FALSE(R.Samples.empty()) << Key;
    EXPECT_EQ(R.X0, R.Samples.front()) << Key;
    EXPECT_EQ(R.Xn, R.Samples.back()) << Key;
    Samples.insert(Samples.end(), R.Samples.begin(), R.Samples.end());
  }
  for (const auto& [Key, C] : Expected) EXPECT_EQ(Got[Key], C.Samples) << Key;
}

std::vector<std::string> WarningLines(const ProgramRun& Run) {
  std::vector<std::string> W;
  for (const std::string& L : Run.Lines)
    if (L.rfind("WARNING", 0) == 0) W.push_back(L);
  return W;
}

TEST(Convert, MultiStreamFileWithGapStatusAndEveryCompression) {
  ScratchDirectory Dir;
  // Three components of 100 samples per second, blocks interleaved as a
  // digitiser writes them; the vertical has a gap of 20 s.
  const std::vector<int32_t> Z1 = Seismogram(3000, 1), Z2 = Seismogram(2000, 2);
  const std::vector<int32_t> N = Seismogram(5000, 3), E = Seismogram(5000, 4);
  std::vector<YcfBlock> Zb = Stream("4AZ2", 100, At(10, 0, 0), Z1);
  const std::vector<YcfBlock> Zb2 = Stream("4AZ2", 100, At(10, 0, 50), Z2);
  Zb.insert(Zb.end(), Zb2.begin(), Zb2.end());
  const std::vector<YcfBlock> Nb = Stream("4AN2", 100, At(10, 0, 0), N);
  const std::vector<YcfBlock> Eb = Stream("4AE2", 100, At(10, 0, 0), E);
  std::vector<YcfBlock> File;
  std::set<int> Codes;
  for (std::size_t I = 0; I < std::max({Zb.size(), Nb.size(), Eb.size()}); ++I) {
    for (const std::vector<YcfBlock>* Blocks : {&std::as_const(Zb), &Nb, &Eb})
      if (I < Blocks->size()) {
        File.push_back((*Blocks)[I]);
        Codes.insert(File.back().Bytes[kCompressionByteOffset] & 7);
      }
    if (I == 1)
      File.push_back(MakeStatusBlock(Base36Value(kSystemText), Base36Value("4AM8"), 0, 0x55));
  }
  ASSERT_EQ(Codes, (std::set<int>{1, 2, 4}));
  WriteYcfFile(Dir.File("multi.YCF"), File);

  const ProgramRun Run = RunDrumlin({"multi.YCF"}, Dir.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  ASSERT_FALSE(Run.Lines.empty());
  EXPECT_EQ(Run.Lines.front(), "Converting multi.YCF");
  EXPECT_EQ(std::count(Run.Lines.begin(), Run.Lines.end(), kInvalid), 1);

  std::map<std::string, Channel> Expected;
  Expect(Expected["4A.HHZ"], At(10, 0, 0), 100, Z1);
  Expect(Expected["4A.HHZ"], At(10, 0, 50), 100, Z2);
  Expect(Expected["4A.HHN"], At(10, 0, 0), 100, N);
  Expect(Expected["4A.HHE"], At(10, 0, 0), 100, E);
  CheckChannels(ReadMseedFile(Dir.File("multi.msd")), Expected);
}

TEST(Convert, StreamsAndRatesFollowingOnOpenNewRuns) {
  ScratchDirectory Dir;
  const std::vector<int32_t> A = Ramp(100, 1, 1), B = Ramp(100, -5, 3), C = Ramp(100, 7, -2),
                             D = Ramp(100, 101, 1), F = Ramp(50, 201, 1);
  std::vector<YcfBlock> File = {MakeDataBlock(Header("9Z2", 100, At(8, 0, 0)), A),
                                MakeDataBlock(Header("9N2", 100, At(8, 0, 1)), B),
                                MakeDataBlock(Header("9E2", 100, At(8, 0, 2)), C),
                                MakeDataBlock(Header("9Z2", 100, At(8, 0, 3)), D),
                                MakeDataBlock(Header("9Z2", 50, At(8, 0, 4)), F)};
  WriteYcfFile(Dir.File("follow.YCF"), File);
  const ProgramRun Run = RunDrumlin({"follow.YCF"}, Dir.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(WarningLines(Run), std::vector<std::string>{});

  const DecodedFile Out = ReadMseedFile(Dir.File("follow.msd"));
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  const struct {
    const char* Channel;
    UsTime Start;
    double Rate;
    const std::vector<int32_t>* Samples;
  } Records[] = {{"HHZ", At(8, 0, 0), 100, &A},
                 {"HHN", At(8, 0, 1), 100, &B},
                 {"HHE", At(8, 0, 2), 100, &C},
                 {"HHZ", At(8, 0, 3), 100, &D},
                 {"BHZ", At(8, 0, 4), 50, &F}};
  ASSERT_EQ(Out.Records.size(), std::size(Records));
  for (std::size_t K = 0; K < std::size(Records); ++K) {
    EXPECT_EQ(Out.Records[K].Channel, Records[K].Channel) << K;
    EXPECT_EQ(Out.Records[K].StartHpTime, UsTimeToHpTime(Records[K].Start)) << K;
    EXPECT_EQ(Out.Records[K].SampleRate, Records[K].Rate) << K;
    EXPECT_EQ(Out.Records[K].Samples, *Records[K].Samples) << K;
  }
}

TEST(Convert, InterleavedComponentsKeepTheirOwnLabels) {
  ScratchDirectory Dir;
  std::map<std::string, Channel> Expected;
  std::vector<YcfBlock> File;
  for (int Second = 0; Second < 2; ++Second)
    for (const char* Component : {"Z", "N", "E"}) {
      const std::string StreamText = std::string("7") + Component + "2";
      const std::vector<int32_t> S = Ramp(100, Second * 1000 + Component[0], 1 + Second);
      File.push_back(MakeDataBlock(Header(StreamText, 100, At(9, 0, Second)), S));
      Expect(Expected[std::string("7.HH") + Component], At(9, 0, Second), 100, S);
    }
  WriteYcfFile(Dir.File("abc.ycf"), File);
  const ProgramRun Run = RunDrumlin({"abc.ycf"}, Dir.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  const std::vector<std::string> Gaps = {
      GapLine("09:00:01", "09:00:00"), GapLine("09:00:01", "09:00:00"),
      GapLine("09:00:02", "09:00:01"), GapLine("09:00:02", "09:00:01")};
  EXPECT_EQ(WarningLines(Run), Gaps);
  const DecodedFile Out = ReadMseedFile(Dir.File("abc.msd"));
  EXPECT_EQ(Out.Records.size(), 6u);
  CheckChannels(Out, Expected);
}

// Samples rebuilt with 32-bit wrap-around, as the digitiser's sums run.
std::vector<int32_t> Rebuilt(int32_t First, const std::vector<int32_t>& Diffs) {
  std::vector<int32_t> S = {First};
  for (std::size_t I = 1; I < Diffs.size(); ++I)
    S.push_back(
        static_cast<int32_t>(static_cast<uint32_t>(S.back()) + static_cast<uint32_t>(Diffs[I])));
  return S;
}

TEST(Convert, WrapAroundEveryWidthAndARunOpenedByAnEmptyBlock) {
  ScratchDirectory Dir;
  // Four samples per second, so that every block lasts whole seconds.
  const std::vector<int32_t> D8 = {0, 1, 1, 1, 1, 1, 1, 1};               // 2 records of four
  const std::vector<int32_t> D16 = {0, -1000, -32768, 32767};             // 2 records of two
  const std::vector<int32_t> D32 = {0, INT32_MAX, INT32_MAX, INT32_MIN};  // 4 records of one
  const int32_t First8 = INT32_MAX;  // the largest value is a sample, not "not yet known"
  const std::vector<int32_t> S8 = Rebuilt(First8, D8);
  const std::vector<int32_t> S16 = Rebuilt(INT32_MIN + 5, D16);
  const std::vector<int32_t> S32 = Rebuilt(-7, D32);
  const std::vector<int32_t> Later = Ramp(8, 42, -3);
  std::vector<YcfBlock> File = {
      MakeRawBlock(Header("5Z2", 4, At(1, 0, 0), 4), 2, First8, D8, S8.back()),
      MakeRawBlock(Header("5Z2", 4, At(1, 0, 2), 2), 2, S16.front(), D16, S16.back()),
      MakeRawBlock(Header("5Z2", 4, At(1, 0, 3), 1), 4, S32.front(), D32, S32.back()),
      // After a gap, a block without samples whose first value is no sample.
      MakeRawBlock(Header("5Z2", 4, At(1, 0, 10), 1), 0, 999999, {}, 0),
      MakeDataBlock(Header("5Z2", 4, At(1, 0, 10), 1), Later)};
  WriteYcfFile(Dir.File("wrap.YCF"), File);
  const ProgramRun Run = RunDrumlin({"wrap.YCF"}, Dir.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(WarningLines(Run), std::vector<std::string>{GapLine("01:00:04", "01:00:10")});
  std::map<std::string, Channel> Expected;
  Expect(Expected["5.MHZ"], At(1, 0, 0), 4, Joined({S8, S16, S32}));
  Expect(Expected["5.MHZ"], At(1, 0, 10), 4, Later);
  const DecodedFile Out = ReadMseedFile(Dir.File("wrap.msd"));
  EXPECT_EQ(Out.Records.size(), 2u);
  CheckChannels(Out, Expected, 4.0);
}

TEST(Convert, UnusableBlocksAreSkippedWithoutBreakingTime) {
  ScratchDirectory Dir;
  const uint32_t Day =
      static_cast<uint32_t>((EncodeUsDate(2024, 5, 1) - TimeCodeToUs(0)) / kUsPerDay);
  const std::vector<int32_t> A = Ramp(200, 0, 5), B = Ramp(100, 1000, -5);
  YcfHeaderSpec First = Header("8Z2", 100, At(23, 59, 58));
  // The next block's seconds field holds 86400: the midnight that ends the day.
  YcfHeaderSpec Midnight = First;
  Midnight.TimeCode = MakeTimeCode(Day, 86400);
  const auto Bad = [&](auto Change) {
    YcfHeaderSpec H = First;
    uint8_t Records = 10;
    Change(H, Records);
    return MakeRawBlock(H, Records, 1, std::vector<int32_t>(40, 1), 1);
  };
  std::vector<YcfBlock> File = {
      MakeDataBlock(First, A),
      Bad([](YcfHeaderSpec& H, uint8_t&) { H.Compression = 3; }),
      Bad([](YcfHeaderSpec&, uint8_t& R) { R = 251; }),
      Bad([&](YcfHeaderSpec& H, uint8_t&) { H.TimeCode = MakeTimeCode(Day, 86401); }),
      MakeStatusBlock(First.SystemId, First.StreamId, First.TimeCode),
      MakeDataBlock(Midnight, B)};
  WriteYcfFile(Dir.File("bad.YCF"), File);
  const ProgramRun Run = RunDrumlin({"bad.YCF"}, Dir.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(WarningLines(Run), std::vector<std::string>(4, kInvalid));
  std::map<std::string, Channel> Expected;
  Expect(Expected["8.HHZ"], At(23, 59, 58), 100, Joined({A, B}));
  CheckChannels(ReadMseedFile(Dir.File("bad.msd")), Expected);
}

// One small valid file, for the naming and error tests.
std::vector<int32_t> WriteSmallFile(const std::string& Path) {
  const std::vector<int32_t> S = Ramp(100, 3, 2);
  WriteYcfFile(Path, std::vector<YcfBlock>{MakeDataBlock(Header("6Z2", 100, At(2, 0, 0)), S)});
  return S;
}

bool HoldsSamples(const std::string& Path, const std::vector<int32_t>& Samples) {
  const DecodedFile Out = ReadMseedFile(Path);
  return Out.Ok && Out.Records.size() == 1 && Out.Records[0].Samples == Samples;
}

TEST(Convert, OutputNamesAndDirectories) {
  const struct {
    const char* Name;
    std::string Input;  // relative to the working directory
    std::vector<std::string> Switches;
    std::string Output;  // relative to the working directory ("~" is HOME)
  } Cases[] = {
      {"upper-case extension", "a.YCF", {}, "a.msd"},
      {"lower-case extension", "b.ycf", {}, "b.msd"},
      {"mixed-case extension", "c.yCf", {}, "c.msd"},
      {"other extension", "d.bin", {}, "d.bin.msd"},
      {"no extension", "e", {}, "e.msd"},
      {"dot only in the directory", "v1.0/f", {}, "v1.0/f.msd"},
      {"beside an input elsewhere", "in/g.YCF", {}, "in/g.msd"},
      {"relative output directory", "in/h.YCF", {"/o:out"}, "out/h.msd"},
      {"dots resolved, parents created", "i.YCF", {"/o:./x/../y/z/"}, "y/z/i.msd"},
      {"home directory", "j.YCF", {"-O:~/mine"}, "~/mine/j.msd"},
      {"first of two", "k.YCF", {"/o:first", "/o:second"}, "first/k.msd"},
  };
  for (const auto& C : Cases) {
    ScratchDirectory Work, Home;
    fs::create_directories(fs::path(Work.File(C.Input)).parent_path());
    const std::vector<int32_t> Samples = WriteSmallFile(Work.File(C.Input));
    std::vector<std::string> Arguments = {C.Input};
    Arguments.insert(Arguments.end(), C.Switches.begin(), C.Switches.end());
    const ProgramRun Run = RunDrumlin(Arguments, Work.Path(), "HOME=" + ShellQuoted(Home.Path()));
    EXPECT_EQ(Run.Status, 0) << C.Name << ": " << Run.Errors;
    const std::string Output =
        C.Output.rfind("~/", 0) == 0 ? Home.File(C.Output.substr(2)) : Work.File(C.Output);
    EXPECT_TRUE(HoldsSamples(Output, Samples)) << C.Name << ": " << Output;
  }
}

TEST(Convert, NetworkStationSwitchesOverTheExportParameters) {
  const struct {
    const char* Name;
    std::vector<std::string> Switches;
    std::string Network, Station, Location, Channel;
  } Cases[] = {
      {"defaults", {}, "", "6", "", "HHZ"},
      {"export parameters", {"/i:export.ini"}, "AA", "INI", "01", "EHZ"},
      {"network switch wins", {"/i:export.ini", "/net:qq"}, "qq", "INI", "01", "EHZ"},
      {"empty network switch", {"-I:export.ini", "/NET:"}, "", "INI", "01", "EHZ"},
      {"system as station", {"/i:export.ini", "-system"}, "AA", kSystemText, "01", "EHZ"},
      {"system without parameters", {"/SYS"}, "", kSystemText, "", "HHZ"},
  };
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    const std::vector<int32_t> Samples = WriteSmallFile(Work.File("s.YCF"));
    test::WriteWholeFile(Work.File("export.ini"), "[EXPORTINFO]\n" + kSystemText +
                                                      " = NET:AA STA:INI\n" + kSystemText +
                                                      "-6Z2 = LOC:01 CHAN:EHZ\n");
    std::vector<std::string> Arguments = {"s.YCF"};
    Arguments.insert(Arguments.end(), C.Switches.begin(), C.Switches.end());
    const ProgramRun Run = RunDrumlin(Arguments, Work.Path());
    EXPECT_EQ(Run.Status, 0) << C.Name << ": " << Run.Errors;
    const DecodedFile Out = ReadMseedFile(Work.File("s.msd"));
    ASSERT_TRUE(Out.Ok) << C.Name << ": " << Out.Problem;
    ASSERT_EQ(Out.Records.size(), 1u) << C.Name;
    const DecodedRecord& R = Out.Records[0];
    EXPECT_EQ(R.Network, C.Network) << C.Name;
    EXPECT_EQ(R.Station, C.Station) << C.Name;
    EXPECT_EQ(R.Location, C.Location) << C.Name;
    EXPECT_EQ(R.Channel, C.Channel) << C.Name;
    EXPECT_EQ(R.Samples, Samples) << C.Name;
  }
}

// A named export parameters file that is not there is told once per batch,
// when the first run looks for it, in either mode; the records carry the
// default codes. A file that is there is not mentioned.
TEST(Convert, AMissingExportParametersFileIsToldOnce) {
  const std::string Warning =
      "WARNING: export parameters file site.ini not found - default codes used";
  for (const bool Present : {false, true}) {
    for (const char* Mode : {"/o:out", "/streams"}) {
      ScratchDirectory Work;
      WriteSmallFile(Work.File("a.YCF"));
      WriteSmallFile(Work.File("b.YCF"));
      if (Present) test::WriteWholeFile(Work.File("site.ini"), "[EXPORTINFO]\n");
      const ProgramRun Run = RunDrumlin({"a.YCF", "b.YCF", "/i:site.ini", Mode}, Work.Path());
      EXPECT_EQ(Run.Status, 0) << Run.Errors;
      std::vector<std::string> Expected = {"Converting a.YCF", "Converting b.YCF"};
      if (!Present) Expected.insert(Expected.begin() + 1, Warning);
      EXPECT_EQ(Run.Lines, Expected) << Mode;
    }
  }
}

TEST(Convert, AnOlderLongerOutputIsReplacedWhole) {
  ScratchDirectory Work;
  const std::vector<int32_t> Samples = WriteSmallFile(Work.File("a.YCF"));
  test::WriteWholeFile(Work.File("a.msd"), std::string(5 * 4096 + 17, '#'));
  const ProgramRun Run = RunDrumlin({"a.YCF"}, Work.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(fs::file_size(Work.File("a.msd")), 4096u);
  EXPECT_TRUE(HoldsSamples(Work.File("a.msd"), Samples));
}

TEST(Convert, BadInputsMakeNoBadRecords) {
  std::mt19937 Random(11);
  std::string Noise(64 * 1024, '\0');
  for (char& C : Noise) C = static_cast<char>(Random());
  const auto Bytes = [](const std::vector<YcfBlock>& Blocks) {
    return std::string(reinterpret_cast<const char*>(Blocks.data()),
                       Blocks.size() * sizeof(YcfBlock));
  };
  const std::vector<int32_t> Good = Ramp(100, 0, 1);
  const YcfBlock GoodBlock = MakeDataBlock(Header("6Z2", 100, At(2, 0, 0)), Good);
  const YcfBlock Status = MakeStatusBlock(1, 2, 3, 0xAA);
  const struct {
    const char* Name;
    std::string Content;
    std::size_t Warnings;
    std::vector<int32_t> Samples;  // expected back, when known
  } Cases[] = {
      {"zero length", "", 0, {}},
      {"only status blocks", Bytes({Status, Status, Status}), 3, {}},
      {"trailing partial block", Bytes({GoodBlock}) + std::string(700, 'x'), 0, Good},
  };
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    test::WriteWholeFile(Work.File("in.YCF"), C.Content);
    const ProgramRun Run = RunDrumlin({"in.YCF"}, Work.Path());
    EXPECT_EQ(Run.Status, 0) << C.Name << ": " << Run.Errors;
    std::vector<std::string> Lines = {"Converting in.YCF"};
    Lines.insert(Lines.end(), C.Warnings, kInvalid);
    EXPECT_EQ(Run.Lines, Lines) << C.Name;
    ASSERT_TRUE(fs::exists(Work.File("in.msd"))) << C.Name;
    const DecodedFile Out = ReadMseedFile(Work.File("in.msd"));
    ASSERT_TRUE(Out.Ok) << C.Name;
    std::vector<int32_t> Samples;
    for (const DecodedRecord& R : Out.Records)
      Samples.insert(Samples.end(), R.Samples.begin(), R.Samples.end());
    EXPECT_EQ(Samples, C.Samples) << C.Name;
  }
  // Random bytes: whatever passes as blocks comes out as intact records.
  ScratchDirectory Work;
  test::WriteWholeFile(Work.File("noise.YCF"), Noise);
  const ProgramRun Run = RunDrumlin({"noise.YCF"}, Work.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  const DecodedFile Out = ReadMseedFile(Work.File("noise.msd"));
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  // Random headers pass the acceptance test now and then: some records come out.
  ASSERT_FALSE(Out.Records.empty());
  for (const DecodedRecord& R : Out.Records) {
    ASSERT_FALSE(R.Samples.empty());
    EXPECT_EQ(R.X0, R.Samples.front());
    EXPECT_EQ(R.Xn, R.Samples.back());
  }
}

TEST(Convert, UnreadableInputIsReportedAndTheBatchGoesOn) {
  ScratchDirectory Work;
  fs::create_symlink(Work.File("nowhere"), Work.File("gone.YCF"));
  const std::vector<int32_t> Samples = WriteSmallFile(Work.File("good.YCF"));
  const ProgramRun Run = RunDrumlin({"*.YCF"}, Work.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(), "ERROR: unable to open file gone.YCF"),
            Run.Lines.end());
  EXPECT_FALSE(fs::exists(fs::symlink_status(Work.File("gone.msd"))));
  EXPECT_TRUE(HoldsSamples(Work.File("good.msd"), Samples));
}

TEST(Convert, OutputErrorsEndTheBatchWithStatusOne) {
  const struct {
    const char* Name;
    std::function<void(const ScratchDirectory&)> Prepare;
    std::vector<std::string> Switches;
    std::function<std::string(const ScratchDirectory&)> Message;
  } Cases[] = {
      {"output directory cannot be created",
       [](const ScratchDirectory& W) { test::WriteWholeFile(W.File("blocker"), "x"); },
       {"/o:blocker/sub"},
       [](const ScratchDirectory& W) {
         return "Cannot create file \"" + W.File("blocker/sub/a.msd") + "\". " +
                std::strerror(ENOTDIR);
       }},
      {"output name is a directory",
       [](const ScratchDirectory& W) { fs::create_directory(W.File("a.msd")); },
       {},
       [](const ScratchDirectory&) {
         return "Cannot create file \"a.msd\". " + std::string(std::strerror(EISDIR));
       }},
  };
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    WriteSmallFile(Work.File("a.YCF"));
    C.Prepare(Work);
    std::vector<std::string> Arguments = {"a.YCF"};
    Arguments.insert(Arguments.end(), C.Switches.begin(), C.Switches.end());
    const ProgramRun Run = RunDrumlin(Arguments, Work.Path());
    EXPECT_EQ(Run.Status, 1) << C.Name;
    EXPECT_NE(Run.Errors.find(C.Message(Work)), std::string::npos) << C.Name << ": " << Run.Errors;
    EXPECT_EQ(Run.Lines, std::vector<std::string>(1, "Converting a.YCF")) << C.Name;
  }
}

// A write that fails (here at the file size limit, 64 KB, with the signal
// that would kill the writer ignored) ends the batch at once, with the file
// and the reason; the outputs written before stay.
TEST(Convert, AFailedWriteStopsTheBatchAndKeepsEarlierOutputs) {
  ScratchDirectory Work;
  std::map<std::string, std::vector<int32_t>> Inputs;
  for (const char* Name : {"p", "q", "s"})
    Inputs[Name] = WriteSmallFile(Work.File(std::string(Name) + ".YCF"));
  WriteYcfFile(Work.File("r.YCF"), Stream("6Z2", 100, At(2, 0, 0), Seismogram(40000, 5)));
  const ProgramRun Run = RunDrumlin({"*.YCF"}, Work.Path(), "trap '' XFSZ; ulimit -f 64 &&");
  EXPECT_EQ(Run.Status, 1);
  EXPECT_NE(
      Run.Errors.find("DRUMLIN: Stream write error: r.msd: " + std::string(std::strerror(EFBIG))),
      std::string::npos)
      << Run.Errors;
  EXPECT_FALSE(fs::exists(Work.File("r.msd")));
  ASSERT_FALSE(Run.Lines.empty());
  EXPECT_EQ(Run.Lines.back(), "Converting r.YCF");  // nothing after the failure
  for (const auto& [Name, Samples] : Inputs) {
    if (Name == "r") continue;
    const bool Converted = std::find(Run.Lines.begin(), Run.Lines.end(),
                                     "Converting " + Name + ".YCF") != Run.Lines.end();
    if (Converted)
      EXPECT_TRUE(HoldsSamples(Work.File(Name + ".msd"), Samples)) << Name;
    else
      EXPECT_FALSE(fs::exists(Work.File(Name + ".msd"))) << Name;
  }
}

// A 32 MB input converted within 16 MB of address space: the program holds
// a block and a record at a time, never the file.
TEST(Convert, MemoryStaysConstantOnALongInput) {
  ScratchDirectory Work;
  constexpr int kBlocks = 32768, kPerBlock = 1000;
  std::vector<int32_t> Samples;
  for (int I = 0; I < kPerBlock; ++I) Samples.push_back(std::abs(I % 200 - 100));
  std::vector<YcfBlock> File;
  File.reserve(kBlocks);
  for (int K = 0; K < kBlocks; ++K)  // ten seconds each, following on
    File.push_back(
        MakeDataBlock(Header("3Z2", 100, At(0, 0, 0) + int64_t{K} * 10 * 1000000, 4), Samples));
  WriteYcfFile(Work.File("long.YCF"), File);
  File = {};
  const ProgramRun Run = RunDrumlin({"long.YCF"}, Work.Path(), "ulimit -v 16384 &&");
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  // Every sample takes at least one byte in Steim-1 frames: a run cut short
  // would leave the output smaller.
  const auto Size = fs::file_size(Work.File("long.msd"));
  EXPECT_EQ(Size % 4096, 0u);
  EXPECT_GE(Size, std::uintmax_t{kBlocks} * kPerBlock);
}

}  // namespace
}  // namespace drumlin
