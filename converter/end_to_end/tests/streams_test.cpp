// "/streams": every stream of a file in runs of its own. The defining
// property, checked on generated, mutated and random files: the records
// written for a stream are, byte for byte and in their order, the records
// the default mode writes for a file of that stream's blocks alone, and the
// output holds nothing but those records, interleaved.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "blocks/byte_order.h"
#include "testsupport/base36.h"
#include "testsupport/files.h"
#include "testsupport/mseed_reader.h"
#include "testsupport/program_run.h"
#include "testsupport/reference_time.h"
#include "testsupport/scratch_directory.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

using namespace test;

UsTime At(int Hour, int Minute, int Second) {
  return EncodeUsDate(2024, 5, 1) + EncodeUsTime(Hour, Minute, Second, 0);
}

// A quiet signal with a burst of large steps, so that every width occurs.
std::vector<int32_t> Signal(int Count, uint32_t Seed) {
  std::mt19937 Random(Seed);
  std::vector<int32_t> S;
  int32_t V = static_cast<int32_t>(Random() % 1000);
  for (int I = 0; I < Count; ++I) {
    const int32_t Limit = I % 3000 < 2500 ? 40 : I % 3000 < 2900 ? 20000 : 3000000;
    V += std::uniform_int_distribution<int32_t>(-Limit, Limit)(Random);
    S.push_back(V);
  }
  return S;
}

struct TimedBlock {
  UsTime Start;
  int Order;
  YcfBlock Block;
};

// Blocks of one stream, kept with their start for interleaving.
void AddStream(std::vector<TimedBlock>& All, const std::string& System, const std::string& Stream,
               uint8_t RateCode, UsTime Start, const std::vector<int32_t>& Samples, int Order) {
  for (const YcfBlock& B :
       MakeStream({Base36Value(System), Base36Value(Stream), RateCode, 0}, Start, Samples)) {
    All.push_back({BlockStart(B), Order, B});
  }
}

// The blocks in time order, as a digitiser writes them.
std::vector<YcfBlock> Interleaved(std::vector<TimedBlock> All) {
  std::stable_sort(All.begin(), All.end(), [](const TimedBlock& A, const TimedBlock& B) {
    return A.Start != B.Start ? A.Start < B.Start : A.Order < B.Order;
  });
  std::vector<YcfBlock> Blocks;
  for (const TimedBlock& T : All) Blocks.push_back(T.Block);
  return Blocks;
}

// Three components of one digitiser and a stream of another; a real gap in
// N, a contiguous change of rate in E, status and unusable blocks among them.
std::vector<YcfBlock> Recording() {
  std::vector<TimedBlock> All;
  AddStream(All, "SY01", "12Z2", 100, At(12, 0, 0), Signal(12000, 1), 0);
  AddStream(All, "SY01", "12N2", 100, At(12, 0, 0), Signal(4000, 2), 1);
  AddStream(All, "SY01", "12N2", 100, At(12, 1, 10), Signal(5000, 3), 1);  // 30 s gap
  AddStream(All, "SY01", "12E2", 100, At(12, 0, 0), Signal(6000, 4), 2);
  AddStream(All, "SY01", "12E2", 50, At(12, 1, 0), Signal(3000, 5), 2);  // 100 -> 50 per s
  AddStream(All, "SY02", "77Z2", 20, At(11, 59, 30), Signal(2600, 6), 3);
  std::vector<YcfBlock> Blocks = Interleaved(All);
  const YcfBlock Status = MakeStatusBlock(Base36Value("SY01"), Base36Value("12M8"), 0, 0x20);
  YcfHeaderSpec Bad;
  Bad.SystemId = Base36Value("SY01");
  Bad.StreamId = Base36Value("12Z2");
  Bad.Compression = 3;  // unusable
  SetBlockStart(Bad, At(12, 0, 30));
  const YcfBlock Unusable = MakeRawBlock(Bad, 10, 0, {}, 0);
  Blocks.insert(Blocks.begin() + 5, Status);
  Blocks.insert(Blocks.begin() + 20, Unusable);
  Blocks.insert(Blocks.begin() + 40, Status);
  return Blocks;
}

std::vector<std::string> RecordsOf(const std::string& File) {
  std::vector<std::string> Records;
  for (std::size_t At = 0; At + 4096 <= File.size(); At += 4096)
    Records.push_back(File.substr(At, 4096));
  return Records;
}

using StreamKey = std::pair<uint32_t, uint32_t>;

StreamKey KeyOf(const YcfBlock& Block) {  // as the file holds it
  return {LoadBe32(Block.Bytes + kSystemIdOffset), LoadBe32(Block.Bytes + kStreamIdOffset)};
}

// The number of streams among the usable blocks: only those open runs.
std::size_t UsableStreams(const std::vector<YcfBlock>& Blocks) {
  std::set<StreamKey> Keys;
  for (const YcfBlock& B : Blocks) {
    if (IsUsableDataBlock(B)) Keys.insert({SystemId(B), StreamId(B)});
  }
  return Keys.size();
}

struct StreamsRun {
  ProgramRun Run;
  std::vector<std::string> Records;
};

StreamsRun Convert(const ScratchDirectory& Work, const std::string& Name,
                   const std::vector<YcfBlock>& Blocks, std::vector<std::string> Switches) {
  WriteYcfFile(Work.File(Name + ".YCF"), Blocks);
  Switches.insert(Switches.begin(), Name + ".YCF");
  StreamsRun Result{RunDrumlin(Switches, Work.Path()), {}};
  Result.Records = RecordsOf(ReadWholeFile(Work.File(Name + ".msd")));
  return Result;
}

// The output of "/streams" is an interleaving of the default mode's records
// of every stream on its own, each stream's records in their order. Returns
// what fails, or an empty text.
std::string CheckStreamsProperty(const std::vector<YcfBlock>& Blocks,
                                 const std::vector<std::string>& Switches) {
  ScratchDirectory Work;
  WriteWholeFile(Work.File("export.ini"),
                 "[EXPORTINFO]\nSY01 = NET:AA\nSY01-12N2 = LOC:01 STA:NORTH\nSY02 = STA:OTHER\n");
  std::vector<std::string> WithStreams = Switches;
  WithStreams.push_back("/streams");
  const StreamsRun All = Convert(Work, "all", Blocks, WithStreams);
  if (All.Run.Status != 0) return "exit status " + std::to_string(All.Run.Status);

  std::map<StreamKey, std::vector<YcfBlock>> ByStream;
  std::vector<StreamKey> Order;
  for (const YcfBlock& B : Blocks) {
    if (ByStream.find(KeyOf(B)) == ByStream.end()) Order.push_back(KeyOf(B));
    ByStream[KeyOf(B)].push_back(B);
  }
  std::vector<std::vector<std::string>> Alone;
  for (std::size_t S = 0; S < Order.size(); ++S) {
    const StreamsRun One = Convert(Work, "s" + std::to_string(S), ByStream[Order[S]], Switches);
    if (One.Run.Status != 0) return "stream alone: exit status " + std::to_string(One.Run.Status);
    Alone.push_back(One.Records);
  }
  std::vector<std::size_t> Next(Alone.size(), 0);
  for (std::size_t R = 0; R < All.Records.size(); ++R) {
    bool Found = false;
    for (std::size_t S = 0; S < Alone.size() && !Found; ++S)
      if (Next[S] < Alone[S].size() && Alone[S][Next[S]] == All.Records[R]) {
        ++Next[S];
        Found = true;
      }
    if (!Found) return "record " + std::to_string(R) + " is no stream's next record";
  }
  for (std::size_t S = 0; S < Alone.size(); ++S)
    if (Next[S] != Alone[S].size())
      return "stream " + std::to_string(S) + ": " + std::to_string(Alone[S].size() - Next[S]) +
             " records missing";
  return "";
}

TEST(Streams, EveryStreamGetsTheRecordsOfItsOwnFile) {
  const std::vector<YcfBlock> Blocks = Recording();
  ASSERT_EQ(UsableStreams(Blocks), 4u);  // Z, N and E of SY01 (E at two rates), SY02
  const std::vector<std::vector<std::string>> SwitchSets = {
      {}, {"/i:export.ini"}, {"/i:export.ini", "/net:QQ", "/sys"}, {"-STREAMS"}};
  for (const auto& Switches : SwitchSets) {
    std::string Named;
    for (const std::string& S : Switches) Named += S + " ";
    EXPECT_EQ(CheckStreamsProperty(Blocks, Switches), "") << Named;
  }
}

TEST(Streams, GapsAreNamedByTheirStreamAndNothingElseIsReported) {
  ScratchDirectory Work;
  const StreamsRun Out = Convert(Work, "rec", Recording(), {"/streams"});
  ASSERT_EQ(Out.Run.Status, 0) << Out.Run.Errors;
  const std::vector<std::string> Expected = {
      "Converting rec.YCF",
      "WARNING: Invalid YCF Data block - skipping",
      "WARNING: Invalid YCF Data block - skipping",
      "WARNING: Gap in time-series of SY01-12N2 from 05/01/24 12:00:40 to 05/01/24 12:01:10",
      "WARNING: Invalid YCF Data block - skipping",
  };
  EXPECT_EQ(Out.Run.Lines, Expected);
}

// Mutated recordings (bytes of headers and data changed at random) and
// random files: wherever the usable blocks hold at most 16 streams, the
// property holds.
TEST(Streams, MutatedAndRandomFilesKeepThePropertyWithinSixteenStreams) {
  const std::vector<YcfBlock> Original = Recording();
  std::mt19937 Random(2026);
  int Checked = 0;
  for (int Round = 0; Round < 12; ++Round) {
    std::vector<YcfBlock> Blocks = Original;
    if (Round < 8) {
      for (int M = 0; M < 40; ++M) {
        YcfBlock& B = Blocks[Random() % Blocks.size()];
        const std::size_t At = Random() % 2 ? Random() % 16 : Random() % kYcfBlockSize;
        B.Bytes[At] = static_cast<uint8_t>(Random());
      }
    } else {
      for (YcfBlock& B : Blocks)
        for (uint8_t& Byte : B.Bytes) Byte = static_cast<uint8_t>(Random());
      Blocks.resize(300);
    }
    if (UsableStreams(Blocks) > 16) continue;
    ++Checked;
    EXPECT_EQ(CheckStreamsProperty(Blocks, {}), "") << "round " << Round;
  }
  EXPECT_GE(Checked, 8);
}

// More streams than stay open: runs are closed as new streams come, without
// a message, and every sample still comes back, in records libmseed reads.
TEST(Streams, MoreStreamsThanStayOpenLoseNoSample) {
  std::vector<TimedBlock> All;
  std::map<std::string, std::vector<int32_t>> Expected;
  for (int S = 0; S < 20; ++S) {
    const std::string Stream = "S" + std::string(1, static_cast<char>('A' + S)) + "Z2";
    const std::vector<int32_t> Samples = Signal(3000, 100 + static_cast<uint32_t>(S));
    AddStream(All, "SY01", Stream, 100, At(12, 0, 0), Samples, S);
    Expected["S" + std::string(1, static_cast<char>('A' + S))] = Samples;
  }
  ScratchDirectory Work;
  const StreamsRun Out = Convert(Work, "many", Interleaved(All), {"/streams"});
  ASSERT_EQ(Out.Run.Status, 0) << Out.Run.Errors;
  EXPECT_EQ(Out.Run.Lines, std::vector<std::string>{"Converting many.YCF"});
  const DecodedFile File = ReadMseedFile(Work.File("many.msd"));
  ASSERT_TRUE(File.Ok) << File.Problem;
  std::map<std::string, std::vector<int32_t>> Got;
  for (const DecodedRecord& R : File.Records) {
    EXPECT_EQ(R.X0, R.Samples.front());
    EXPECT_EQ(R.Xn, R.Samples.back());
    Got[R.Station].insert(Got[R.Station].end(), R.Samples.begin(), R.Samples.end());
  }
  EXPECT_EQ(Got, Expected);
}

// Memory stays bounded whatever the number of streams: ten thousand streams
// of one block each, converted within 16 MB of address space.
TEST(Streams, ManyStreamsInConstantMemory) {
  std::vector<YcfBlock> Blocks;
  for (uint32_t S = 0; S < 10000; ++S) {
    YcfHeaderSpec H;
    H.SystemId = 1 + S % 7;
    H.StreamId = 1000 + S;
    H.Compression = 4;
    std::vector<int32_t> Quiet(1000);
    for (std::size_t I = 0; I < Quiet.size(); ++I) Quiet[I] = static_cast<int32_t>(I % 50);
    SetBlockStart(H, At(12, 0, 0));
    Blocks.push_back(MakeDataBlock(H, Quiet));
  }
  ScratchDirectory Work;
  WriteYcfFile(Work.File("wide.YCF"), Blocks);
  const ProgramRun Run = RunDrumlin({"wide.YCF", "/streams"}, Work.Path(), "ulimit -v 16384 &&");
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(RecordsOf(ReadWholeFile(Work.File("wide.msd"))).size(), 10000u);
}

// A continuous interleaved recording comes back as one segment per stream:
// every record of a stream starts where its previous one ended.
TEST(Streams, AContinuousInterleavedFileGivesOneSegmentPerStream) {
  std::vector<TimedBlock> All;
  const char* Components[] = {"12Z2", "12N2", "12E2"};
  for (int C = 0; C < 3; ++C)
    AddStream(All, "SY01", Components[C], 100, At(12, 0, 0),
              Signal(60000, 40 + static_cast<uint32_t>(C)), C);
  ScratchDirectory Work;
  const StreamsRun Out = Convert(Work, "cont", Interleaved(All), {"/streams"});
  ASSERT_EQ(Out.Run.Status, 0) << Out.Run.Errors;
  const DecodedFile File = ReadMseedFile(Work.File("cont.msd"));
  ASSERT_TRUE(File.Ok) << File.Problem;
  std::map<std::string, int64_t> NextStart, Samples;
  for (const DecodedRecord& R : File.Records) {
    const auto [It, First] = NextStart.try_emplace(R.Channel, R.StartHpTime);
    EXPECT_EQ(R.StartHpTime, It->second) << R.Channel << " record starts off its segment";
    It->second = R.StartHpTime + R.SampleCount * 10000;
    Samples[R.Channel] += R.SampleCount;
  }
  EXPECT_EQ(Samples,
            (std::map<std::string, int64_t>{{"HHE", 60000}, {"HHN", 60000}, {"HHZ", 60000}}));
}

}  // namespace
}  // namespace drumlin
