// The record file: header bytes, code fields, record start times, error
// texts, and records read back with libmseed.
#include "records/seed_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "records/stream_error.h"
#include "testsupport/base36.h"
#include "testsupport/files.h"
#include "testsupport/mseed_reader.h"
#include "testsupport/reference_block.h"
#include "testsupport/reference_time.h"
#include "testsupport/scratch_directory.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

using namespace test;

// Time code of a calendar date and time of day (whole seconds).
uint32_t TimeCodeOf(int Year, int Month, int Day, int Seconds) {
  const int64_t Days = (EncodeUsDate(Year, Month, Day) - TimeCodeToUs(0)) / kUsPerDay;
  return MakeTimeCode(static_cast<uint32_t>(Days), static_cast<uint32_t>(Seconds));
}

YcfHeaderSpec StreamHeader(uint8_t RateCode, uint32_t TimeCode) {
  YcfHeaderSpec H;
  H.SystemId = Base36Value("ABC12");
  H.StreamId = Base36Value("1234Z2");
  H.RateCode = RateCode;
  H.TimeCode = TimeCode;
  return H;
}

// Writes Samples as one run opened by Block and returns what libmseed reads.
DecodedFile WriteRun(const std::string& Path, const YcfBlock& Block,
                     const std::vector<int32_t>& Samples) {
  {
    TSEEDFile File(Path);
    File.InitHeader(Block);
    for (int32_t V : Samples) File.AddSample(V);
    File.Flush();
    File.Finish();
  }
  return ReadMseedFile(Path);
}

TEST(SeedFile, HeaderAndFirstFrameByteForByte) {
  ScratchDirectory Dir;
  YcfHeaderSpec H = StreamHeader(171, TimeCodeOf(2024, 3, 1, 12 * 3600 + 34 * 60 + 56));
  H.SystemId = 0x8A000123u;  // bit 31 set: its top byte goes to byte 57
  H.Byte12 = 0x5A;
  H.FracNumerator = 3;  // 3/8 s at 400 samples per second
  H.Compression = 4;
  const std::vector<int32_t> Samples = {0, 1, 3, 0};
  const YcfBlock Block = MakeDataBlock(H, Samples);
  {
    TSEEDFile File(Dir.File("out.msd"));
    EXPECT_TRUE(File.NeedHeader);
    File.InitHeader(Block);
    EXPECT_FALSE(File.NeedHeader);
    for (int32_t V : Samples) File.AddSample(V);
    File.Flush();
    EXPECT_TRUE(File.NeedHeader);
    File.Finish();
  }
  const std::string Bytes = ReadWholeFile(Dir.File("out.msd"));
  ASSERT_EQ(Bytes.size(), 4096u);
  const uint8_t Expected[64] = {
      '0',  '0',  '0',  '0',  '0', '1', 'D', ' ',  // sequence, quality, reserved
      '1',  '2',  '3',  '4',  ' ', ' ', ' ',       // station, location
      'H',  'H',  'Z',  ' ',  ' ',                 // channel, network
      0x07, 0xE8, 0x00, 61,   12,  34,  56,  0,    // 2024, day 61, 12:34:56
      0x0E, 0xA6,                                  // 0.3750 s
      0x00, 0x04,                                  // 4 samples
      0x01, 0x90, 0x00, 0x01,                      // 400 x 1
      0,    0,    0,    1,                         // flags, one blockette
      0,    0,    0,    0,                         // time correction
      0x00, 0x40, 0x00, 0x30,                      // data at 64, blockette at 48
      0x03, 0xE8, 0x00, 0x00, 10,  1,   12,  0,    // blockette 1000
      0x5A, 0x88, 0,    0,    0,   0,   0,   0};   // byte 12, system id top byte
  EXPECT_EQ(Bytes.substr(0, 64), std::string(reinterpret_cast<const char*>(Expected), 64));
  const uint8_t Frame0[16] = {0x01, 0x00, 0x00, 0x00,   // control: word 3 holds four bytes
                              0,    0,    0,    0,      // X0
                              0,    0,    0,    0,      // Xn
                              0x00, 0x01, 0x02, 0xFD};  // differences 0, 1, 2, -3
  EXPECT_EQ(Bytes.substr(64, 16), std::string(reinterpret_cast<const char*>(Frame0), 16));
  EXPECT_EQ(Bytes.find_first_not_of('\0', 80), std::string::npos);
}

TEST(SeedFile, CodeFieldsTakeTheirWidth) {
  ScratchDirectory Dir;
  TSEEDFile File(Dir.File("codes.msd"));
  const YcfBlock Block =
      MakeDataBlock(StreamHeader(100, TimeCodeOf(2024, 1, 1, 0)), std::vector<int32_t>{1});
  File.InitHeader(Block);
  struct Case {
    const char* Name;
    std::function<void(TSEEDFile&)> Apply;
    std::function<std::string(const RecordHeader&)> Field;
    std::string Expected;
  };
  const auto Station = [](const RecordHeader& H) { return std::string(H.Station, 5); };
  const auto Channel = [](const RecordHeader& H) { return std::string(H.Channel, 3); };
  const auto Network = [](const RecordHeader& H) { return std::string(H.Network, 2); };
  const auto Location = [](const RecordHeader& H) { return std::string(H.Location, 2); };
  const Case Cases[] = {
      {"station keeps the last five", [](TSEEDFile& F) { F.SetStation("ABCDEFG"); }, Station,
       "CDEFG"},
      {"short station is padded", [](TSEEDFile& F) { F.SetStation("AB"); }, Station, "AB   "},
      {"channel keeps the first three", [](TSEEDFile& F) { F.SetChannel("HHZX"); }, Channel, "HHZ"},
      {"empty network is blank", [](TSEEDFile& F) { F.SetNetwork(""); }, Network, "  "},
      {"network keeps the last two", [](TSEEDFile& F) { F.SetNetwork("ABC"); }, Network, "BC"},
      {"location keeps the first two", [](TSEEDFile& F) { F.SetLocation("XYZ"); }, Location, "XY"},
      {"one-letter location", [](TSEEDFile& F) { F.SetLocation("7"); }, Location, "7 "},
  };
  for (const Case& C : Cases) {
    C.Apply(File);
    EXPECT_EQ(C.Field(File.Header()), C.Expected) << C.Name;
  }
  File.SetNetwork("Q");
  EXPECT_EQ(File.GetNetwork(), "Q ");
}

TEST(SeedFile, DefaultCodesOfARun) {
  ScratchDirectory Dir;
  TSEEDFile File(Dir.File("d.msd"));
  YcfHeaderSpec H = StreamHeader(20, TimeCodeOf(2024, 1, 1, 0));
  H.StreamId = Base36Value("AB12N4");  // six characters: four-letter station
  File.InitHeader(MakeDataBlock(H, std::vector<int32_t>{1}));
  const RecordHeader& R = File.Header();
  EXPECT_EQ(std::string(R.Station, 5), "AB12 ");
  EXPECT_EQ(std::string(R.Channel, 3), "BHN");
  EXPECT_EQ(std::string(R.Network, 2), "  ");
  EXPECT_EQ(std::string(R.Location, 2), "  ");
  EXPECT_EQ(R.SystemIdHighByte, 0);  // bit 31 of the system id clear
}

// Signals with a known number of samples per full record.
std::vector<int32_t> Alternating(std::size_t Count) {  // one 32-bit word per sample: 943 per record
  std::vector<int32_t> S(Count);
  for (std::size_t I = 0; I < Count; ++I) S[I] = I % 2 ? -100000 : 100000;
  return S;
}
std::vector<int32_t> Constant(std::size_t Count, int32_t Value) {
  return std::vector<int32_t>(Count, Value);
}

struct StartCase {
  const char* Name;
  uint8_t RateCode;
  int Year, Month, Day, Seconds;
  std::vector<int32_t> Samples;
};

TEST(SeedFile, RecordStartsFollowTheRunWithoutDrift) {
  const StartCase Cases[] = {
      // 3769 samples per record: 942250 microseconds, not a whole 0.0001 s.
      {"4000 per second", 181, 2024, 6, 1, 3600, Constant(5 * 3769, 1000000)},
      {"100 per second across a new year", 100, 2023, 12, 31, 86395, Alternating(3 * 943)},
      {"3 per second", 3, 2024, 2, 29, 0, Alternating(3 * 943 + 5)},
      {"2000 per second", 179, 2024, 6, 1, 7, Constant(4 * 3772 + 1, 0)},
  };
  ScratchDirectory Dir;
  for (const StartCase& C : Cases) {
    const YcfHeaderSpec H = StreamHeader(C.RateCode, TimeCodeOf(C.Year, C.Month, C.Day, C.Seconds));
    const YcfBlock Block = MakeDataBlock(H, std::span(C.Samples).first(1));
    const DecodedFile Out = WriteRun(Dir.File("t.msd"), Block, C.Samples);
    ASSERT_TRUE(Out.Ok) << C.Name << ": " << Out.Problem;
    ASSERT_GE(Out.Records.size(), 3u) << C.Name;
    const int64_t RunStart =
        UsTimeToHpTime(EncodeUsDate(C.Year, C.Month, C.Day)) + int64_t{C.Seconds} * 1000000;
    const int64_t Rate = SampleRate(C.RateCode);
    int64_t Before = 0;
    for (std::size_t K = 0; K < Out.Records.size(); ++K) {
      const int64_t Exact = RunStart + Before * 1000000 / Rate;
      EXPECT_EQ(Out.Records[K].StartHpTime, Exact - Exact % 100) << C.Name << " record " << K;
      EXPECT_EQ(Out.Records[K].SampleRate, static_cast<double>(Rate)) << C.Name;
      Before += Out.Records[K].SampleCount;
    }
    EXPECT_EQ(Before, static_cast<int64_t>(C.Samples.size())) << C.Name;
  }
}

TEST(SeedFile, RecordAfterTheYearEndsOnDayOne) {
  ScratchDirectory Dir;
  const YcfHeaderSpec H = StreamHeader(100, TimeCodeOf(2023, 12, 31, 86395));
  const std::vector<int32_t> Samples = Alternating(2 * 943);
  const DecodedFile Out =
      WriteRun(Dir.File("y.msd"), MakeDataBlock(H, std::span(Samples).first(1)), Samples);
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  ASSERT_EQ(Out.Records.size(), 2u);
  EXPECT_EQ(Out.Records[0].StartHpTime, HpTimeOf(2023, 365, 23, 59, 55, 0));
  EXPECT_EQ(Out.Records[1].StartHpTime, HpTimeOf(2024, 1, 0, 0, 4, 430000));
}

// Signals that exercise every word width, wrap-around and constant values.
struct SignalCase {
  const char* Name;
  std::function<std::vector<int32_t>()> Make;
};

std::vector<int32_t> RandomWalk(std::size_t Count, uint32_t Seed,
                                std::function<int32_t(std::mt19937&)> Step) {
  std::mt19937 Random(Seed);
  std::vector<int32_t> S(Count);
  uint32_t V = static_cast<uint32_t>(Random());
  for (int32_t& X : S) {
    X = static_cast<int32_t>(V);
    V += static_cast<uint32_t>(Step(Random));
  }
  return S;
}

TEST(SeedFile, LibmseedDecodesEverySampleExactly) {
  const auto Within = [](int32_t Low, int32_t High) {
    return [=](std::mt19937& R) { return std::uniform_int_distribution<int32_t>(Low, High)(R); };
  };
  const SignalCase Cases[] = {
      {"32-bit jumps", [&] { return RandomWalk(9000, 1, Within(INT32_MIN, INT32_MAX)); }},
      {"16-bit differences", [&] { return RandomWalk(9000, 2, Within(-32768, 32767)); }},
      {"8-bit differences", [&] { return RandomWalk(12000, 3, Within(-128, 127)); }},
      {"mixed widths",
       [&] {
         return RandomWalk(12000, 4, [](std::mt19937& R) {
           const int Width = std::uniform_int_distribution<int>(0, 9)(R);
           const int32_t Limit = Width < 6 ? 127 : Width < 9 ? 32767 : 40000000;
           return std::uniform_int_distribution<int32_t>(-Limit, Limit)(R);
         });
       }},
      {"wrap-around", [&] { return RandomWalk(9000, 5, [](std::mt19937&) { return 1 << 29; }); }},
      {"zero", [] { return Constant(8000, 0); }},
      {"largest value", [] { return Constant(8000, INT32_MAX); }},
      {"smallest value", [] { return Constant(8000, INT32_MIN); }},
      {"single sample", [] { return Constant(1, -5); }},
  };
  ScratchDirectory Dir;
  for (const SignalCase& C : Cases) {
    const std::vector<int32_t> Samples = C.Make();
    const YcfHeaderSpec H = StreamHeader(100, TimeCodeOf(2024, 5, 1, 100));
    const DecodedFile Out =
        WriteRun(Dir.File("s.msd"), MakeDataBlock(H, std::span(Samples).first(1)), Samples);
    ASSERT_TRUE(Out.Ok) << C.Name << ": " << Out.Problem;
    std::vector<int32_t> Decoded;
    for (const DecodedRecord& R : Out.Records) {
      EXPECT_EQ(R.RecordLength, 4096) << C.Name;
      EXPECT_TRUE(R.HasBlockette1000) << C.Name;
      EXPECT_TRUE(R.Steim1) << C.Name;
      ASSERT_EQ(static_cast<int64_t>(R.Samples.size()), R.SampleCount) << C.Name;
      ASSERT_FALSE(R.Samples.empty()) << C.Name;
      EXPECT_EQ(R.X0, R.Samples.front()) << C.Name;
      EXPECT_EQ(R.Xn, R.Samples.back()) << C.Name;  // Steim-1 integrity
      Decoded.insert(Decoded.end(), R.Samples.begin(), R.Samples.end());
    }
    EXPECT_EQ(Decoded, Samples) << C.Name;
  }
}

TEST(SeedFile, RunOpenedByABlockWithoutSamplesTakesX0FromItsFirstSample) {
  ScratchDirectory Dir;
  YcfHeaderSpec H = StreamHeader(100, TimeCodeOf(2024, 5, 1, 0));
  YcfBlock Empty = MakeRawBlock(H, 0, 123456789, {}, 0);  // FirstValue is no sample
  const std::vector<int32_t> Samples = {5, 6, 7, -1000000};
  const DecodedFile Out = WriteRun(Dir.File("e.msd"), Empty, Samples);
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  ASSERT_EQ(Out.Records.size(), 1u);
  EXPECT_EQ(Out.Records[0].X0, 5);
  EXPECT_EQ(Out.Records[0].Samples, Samples);
}

TEST(SeedFile, FlushWritesOnlyRecordsThatHoldSamples) {
  ScratchDirectory Dir;
  const std::string Path = Dir.File("f.msd");
  const std::vector<int32_t> Full = Constant(3772, 0);  // exactly one full record
  for (const bool WithSamples : {false, true}) {
    {
      TSEEDFile File(Path);
      File.InitHeader(
          MakeDataBlock(StreamHeader(100, TimeCodeOf(2024, 5, 1, 0)), std::span(Full).first(1)));
      if (WithSamples)
        for (int32_t V : Full) File.AddSample(V);
      File.Flush();  // nothing pending: the full record went out as its last word filled
      EXPECT_TRUE(File.NeedHeader);
      File.Flush();
      File.Finish();
    }
    EXPECT_EQ(std::filesystem::file_size(Path), WithSamples ? 4096u : 0u);
  }
}

// Collected records leave only when the buffer fills or is drained, and the
// file comes out the same as with records written one by one; block-level
// samples give the same file as samples added one at a time.
TEST(SeedFile, CollectedRecordsAndBlockSamplesGiveTheSameFile) {
  ScratchDirectory Dir;
  std::vector<int32_t> Samples(80 * 3772);  // more records than one buffer holds
  uint32_t Value = 7;
  for (std::size_t I = 0; I < Samples.size(); ++I) {
    Value = Value * 1103515245u + 12345u;
    Samples[I] = static_cast<int32_t>(I % 1000 == 999 ? Value : (Value >> 28) + I % 3);
  }
  std::vector<YcfBlock> StreamBlocks =
      MakeStream({Base36Value("ABC12"), Base36Value("1234Z2"), 100, 0},
                 TimeCodeToUs(TimeCodeOf(2024, 5, 1, 0)), Samples);
  auto Write = [&](const std::string& Name, bool Collect, bool WholeBlocks) {
    const std::string Path = Dir.File(Name);
    TSEEDFile File(Path);
    File.CollectRecords(Collect);
    File.InitHeader(StreamBlocks.front());
    if (WholeBlocks) {
      for (const YcfBlock& Block : StreamBlocks) File.AddBlockSamples(Block);
    } else {
      for (int32_t V : Samples) File.AddSample(V);
    }
    File.Flush();
    File.Finish();
    return ReadWholeFile(Path);
  };
  const std::string OneByOne = Write("single.msd", false, false);
  EXPECT_GT(OneByOne.size(), 64u * 4096u);
  EXPECT_EQ(Write("collected.msd", true, false), OneByOne);
  EXPECT_EQ(Write("blocks.msd", true, true), OneByOne);
}

TEST(SeedFile, CreateAndWriteErrorsCarryTheStreamTexts) {
  ScratchDirectory Dir;
  const std::string NoDir = Dir.File("no/such/dir.msd");
  const std::string NotDir = Dir.File("plain/x.msd");
  test::WriteWholeFile(Dir.File("plain"), "x");
  const struct {
    std::string Path;
    std::string Text;
  } Cases[] = {
      {NoDir, "Cannot create file \"" + NoDir + "\". " + std::strerror(ENOENT)},
      {NotDir, "Cannot create file \"" + NotDir + "\". " + std::strerror(ENOTDIR)},
      {Dir.Path(), "Cannot create file \"" + Dir.Path() + "\". " + std::strerror(EISDIR)},
  };
  for (const auto& C : Cases) {
    try {
      TSEEDFile File(C.Path);
      ADD_FAILURE() << "no error for " << C.Path;
    } catch (const StreamError& Error) {
      EXPECT_EQ(std::string(Error.what()), C.Text);
      EXPECT_EQ(Error.Context(), "");  // the text names the file and the reason
    }
  }
  // A full device is written through: it takes the open but not the record.
  TSEEDFile Full("/dev/full");
  Full.InitHeader(
      MakeDataBlock(StreamHeader(100, TimeCodeOf(2024, 5, 1, 0)), std::vector<int32_t>{1}));
  Full.AddSample(1);
  try {
    Full.Flush();
    ADD_FAILURE() << "no write error";
  } catch (const StreamError& Error) {
    EXPECT_STREQ(Error.what(), "Stream write error");
    EXPECT_EQ(Error.Context(), std::string(": /dev/full: ") + std::strerror(ENOSPC));
  }
}

// An older file under the name is replaced whole when the new one is put in
// place, keeping its permission bits; until then, and without Finish, it
// stays as it was.
TEST(SeedFile, AnOlderFileIsReplacedOnlyByTheFinishedOne) {
  ScratchDirectory Dir;
  const std::string Path = Dir.File("old.msd");
  const std::string Old(3 * 4096 + 100, 'x');
  test::WriteWholeFile(Path, Old);
  std::filesystem::permissions(Path, std::filesystem::perms(0640));
  const std::vector<int32_t> Samples = {1, 2, 3};
  for (const bool Finished : {false, true}) {
    TSEEDFile File(Path);
    File.InitHeader(
        MakeDataBlock(StreamHeader(100, TimeCodeOf(2024, 5, 1, 0)), std::span(Samples).first(1)));
    for (int32_t V : Samples) File.AddSample(V);
    File.Flush();
    EXPECT_EQ(ReadWholeFile(Path), Old);
    if (Finished) File.Finish();
  }
  const DecodedFile Out = ReadMseedFile(Path);
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  ASSERT_EQ(Out.Records.size(), 1u);
  EXPECT_EQ(Out.Records[0].Samples, Samples);
  EXPECT_EQ(std::filesystem::status(Path).permissions(), std::filesystem::perms(0640));
  // Nothing else is left in the directory.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

// Blocks handed over whole (their differences taken as stored) give the file
// of their rebuilt samples added one at a time: every compression code,
// random differences up to the limits of each width, a nonzero difference 0
// (replaced by the first value) and odd record counts.
TEST(SeedFile, WholeBlocksGiveTheFileOfTheirSamplesOneByOne) {
  ScratchDirectory Dir;
  std::mt19937 Rng(2024);
  auto Pick = [&](int64_t Lo, int64_t Hi) {
    return static_cast<int32_t>(std::uniform_int_distribution<int64_t>(Lo, Hi)(Rng));
  };
  std::vector<YcfBlock> Blocks;
  for (int B = 0; B < 400; ++B) {
    YcfHeaderSpec Header = StreamHeader(100, TimeCodeOf(2024, 5, 1, 0));
    static constexpr uint8_t kCodes[] = {1, 2, 4};
    Header.Compression = kCodes[Pick(0, 2)];
    static constexpr uint8_t kCounts[] = {0, 1, 3, 249, 250};
    const uint8_t Records =
        static_cast<uint8_t>(Pick(0, 3) == 0 ? kCounts[Pick(0, 4)] : Pick(1, 250));
    const int64_t Limit = Header.Compression == 1   ? INT32_MAX
                          : Header.Compression == 2 ? 32767
                                                    : 127;
    const int64_t Spread = Pick(0, 1) == 0 ? Limit : std::min<int64_t>(Limit, 40);
    std::vector<int32_t> Diffs(Header.Compression * std::min<std::size_t>(Records, 250));
    for (int32_t& D : Diffs)
      D = Pick(0, 30) == 0 ? static_cast<int32_t>(Pick(0, 1) ? Limit : -Limit - 1)
                           : Pick(-Spread, Spread);
    const int32_t First = Pick(0, 5) == 0 ? INT32_MAX : Pick(INT32_MIN, INT32_MAX);
    YcfBlock Block = MakeRawBlock(Header, Records, First, Diffs, 0);
    Blocks.push_back(Block);
  }
  auto Write = [&](const std::string& Name, bool Whole) {
    const std::string Path = Dir.File(Name);
    TSEEDFile File(Path);
    File.CollectRecords(true);
    File.InitHeader(Blocks[0]);
    for (const YcfBlock& Block : Blocks) {
      if (Whole) {
        File.AddBlockSamples(Block);
        continue;
      }
      int32_t Samples[test::kMaxBlockSamples];
      const int Count = RebuildBlockSamples(Block, Samples);
      for (int I = 0; I < Count; ++I) File.AddSample(Samples[I]);
    }
    File.Flush();
    File.Finish();
    return ReadWholeFile(Path);
  };
  const std::string OneByOne = Write("samples.msd", false);
  EXPECT_GT(OneByOne.size(), 20u * 4096u);
  EXPECT_EQ(Write("blocks.msd", true), OneByOne);
}

}  // namespace
}  // namespace drumlin
