// Ingestion into an SDS archive ("/sds:"), on hourly files of two
// three-component digitisers across midnight, one of them with a gap: the
// archive holds exactly the records of the plain conversion, each once, in
// the day file of its stream and start day, sorted; runs repeated, reversed,
// run in parallel, killed or starved of disk leave what one uninterrupted
// run leaves, and a reader never finds a day file torn.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "testsupport/base36.h"
#include "testsupport/files.h"
#include "testsupport/mseed_reader.h"
#include "testsupport/program_run.h"
#include "testsupport/recordings.h"
#include "testsupport/reference_time.h"
#include "testsupport/scratch_directory.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

namespace fs = std::filesystem;
using namespace test;

constexpr std::size_t kRecord = 4096;
constexpr int kBlocksPerHour = 360;  // 10 s blocks at 100 samples per second

// One hour of digitiser System from Start (its three components' blocks
// interleaved in time order, as the digitiser writes them); with a gap of
// one minute in every component when Gap is set.
std::string HourFile(const std::string& System, UsTime Start, uint32_t Seed, bool Gap = false) {
  std::vector<std::vector<YcfBlock>> Components;
  for (const char* Component : {"Z2", "N2", "E2"})
    Components.push_back(Recording(kBlocksPerHour, Seed++, Start, System, System + Component));
  std::vector<YcfBlock> Blocks;
  for (int I = 0; I < kBlocksPerHour; ++I)
    for (const auto& Component : Components)
      if (!Gap || I < 100 || I >= 106) Blocks.push_back(Component[static_cast<std::size_t>(I)]);
  return Bytes(Blocks);
}

UsTime May(int Day, int Hour, int Minute) {
  return EncodeUsDate(2024, 5, Day) + EncodeUsTime(Hour, Minute, 0, 0);
}

// The recording: DM01 from 21:30 on May 1 to 01:30 on May 2 in hourly files,
// a gap at 22:46:40; DM02 from 23:30 to 01:30. The 23:30 files hold records
// that cross midnight.
struct Recordings {
  std::map<std::string, std::string> Files;  // name -> bytes
  Recordings() {
    Files["DM01_2130.YCF"] = HourFile("DM01", May(1, 21, 30), 10);
    Files["DM01_2230.YCF"] = HourFile("DM01", May(1, 22, 30), 20, true);
    Files["DM01_2330.YCF"] = HourFile("DM01", May(1, 23, 30), 30);
    Files["DM01_0030.YCF"] = HourFile("DM01", May(2, 0, 30), 40);
    Files["DM02_2330.YCF"] = HourFile("DM02", May(1, 23, 30), 50);
    Files["DM02_0030.YCF"] = HourFile("DM02", May(2, 0, 30), 60);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> Result;
    for (const auto& [Name, Bytes] : Files) Result.push_back(Name);
    return Result;
  }
  void WriteTo(const ScratchDirectory& Work) const {
    fs::create_directories(Work.File("in"));
    for (const auto& [Name, Bytes] : Files) WriteWholeFile(Work.File("in/" + Name), Bytes);
  }
};

const Recordings& TheRecordings() {
  static const Recordings Made;
  return Made;
}

const std::vector<std::string> kSwitches = {"/streams", "/net:XX"};

std::vector<std::string> Split(const std::string& Bytes) {
  std::vector<std::string> Records;
  for (std::size_t At = 0; At + kRecord <= Bytes.size(); At += kRecord)
    Records.push_back(Bytes.substr(At, kRecord));
  return Records;
}

// Every record the plain conversion makes of the recordings, each file on
// its own.
std::multiset<std::string> PlainRecords(const std::vector<std::string>& Switches = kSwitches) {
  std::multiset<std::string> Records;
  for (const auto& [Name, Bytes] : TheRecordings().Files)
    for (std::string& Record : Split(ConvertedAlone(Bytes, Switches))) Records.insert(Record);
  return Records;
}

// DRUMLIN ingesting Inputs (names under in/) into the archive arch/.
ProgramRun Ingest(const ScratchDirectory& Work, const std::vector<std::string>& Inputs,
                  const std::vector<std::string>& Switches = kSwitches) {
  std::vector<std::string> Arguments;
  for (const std::string& Input : Inputs) Arguments.push_back("in/" + Input);
  Arguments.push_back("/sds:arch");
  Arguments.insert(Arguments.end(), Switches.begin(), Switches.end());
  return RunDrumlin(Arguments, Work.Path());
}

// Every file below Folder, hidden ones too, with its bytes. Files and
// folders that go away while they are listed (others may be changing the
// archive) are passed over.
std::map<std::string, std::string> Tree(const std::string& Folder) {
  std::map<std::string, std::string> Files;
  const std::string Prefix = Folder + "/";
  std::error_code Error;
  fs::recursive_directory_iterator Entry(Folder, Error), End;
  for (; !Error && Entry != End; Entry.increment(Error)) {
    const std::string Path = Entry->path().string();
    if (!Entry->is_directory(Error)) Files[Path.substr(Prefix.size())] = ReadWholeFile(Path);
  }
  return Files;
}

// Year and day of the year of an instant of the reader.
std::pair<int, int> DayOf(int64_t HpTime) {
  const time_t Seconds = static_cast<time_t>(HpTime / 1000000);
  tm Civil{};
  gmtime_r(&Seconds, &Civil);
  return {Civil.tm_year + 1900, Civil.tm_yday + 1};
}

// Why the day file at Relative (below the archive) is not a whole day file
// of its name: whole records that libmseed reads, each of the stream and
// start day the name gives, sorted by start, no start twice. Empty when it
// is one.
std::string DayFileProblem(const std::string& Archive, const std::string& Relative) {
  const DecodedFile Day = ReadMseedFile(Archive + "/" + Relative);
  if (!Day.Ok) return Relative + ": " + Day.Problem;
  const std::string Name = fs::path(Relative).filename().string();
  int64_t Last = INT64_MIN;
  for (const DecodedRecord& R : Day.Records) {
    const auto [Year, Doy] = DayOf(R.StartHpTime);
    char Expected[64];
    std::snprintf(Expected, sizeof Expected, "%s.%s.%s.%s.D.%04d.%03d", R.Network.c_str(),
                  R.Station.c_str(), R.Location.c_str(), R.Channel.c_str(), Year, Doy);
    if (Name != Expected) return Relative + " holds a record of " + Expected;
    const std::string Folder = fs::path(Relative).parent_path().string();
    if (Folder != std::to_string(Year) + "/" + R.Network + "/" + R.Station + "/" + R.Channel + ".D")
      return Relative + " lies in the wrong folder";
    if (R.StartHpTime <= Last) return Relative + ": records out of order or twice";
    Last = R.StartHpTime;
  }
  return "";
}

// The archive's day files, each checked whole; its records.
std::multiset<std::string> CheckedArchive(const ScratchDirectory& Work) {
  std::multiset<std::string> Records;
  for (const auto& [Relative, Bytes] : Tree(Work.File("arch"))) {
    EXPECT_EQ(DayFileProblem(Work.File("arch"), Relative), "");
    for (std::string& Record : Split(Bytes)) Records.insert(Record);
  }
  return Records;
}

// The archive one run over every file makes: the reference of the tests.
const std::map<std::string, std::string>& ReferenceArchive() {
  static const std::map<std::string, std::string> Made = [] {
    ScratchDirectory Work;
    TheRecordings().WriteTo(Work);
    const ProgramRun Run = Ingest(Work, TheRecordings().Names());
    if (Run.Status != 0) ADD_FAILURE() << Run.Errors;
    return Tree(Work.File("arch"));
  }();
  return Made;
}

TEST(Archive, HoldsExactlyThePlainRecordsInTheirDayFiles) {
  ScratchDirectory Work;
  TheRecordings().WriteTo(Work);
  const ProgramRun Run = Ingest(Work, TheRecordings().Names());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(Run.Errors, "");
  EXPECT_TRUE(CheckedArchive(Work) == PlainRecords());
  std::set<std::string> Names;
  for (const auto& [Relative, Bytes] : Tree(Work.File("arch"))) Names.insert(Relative);
  std::set<std::string> Expected;
  for (const char* Station : {"DM01", "DM02"})
    for (const char* Channel : {"HHZ", "HHN", "HHE"})
      for (const char* Day : {"122", "123"})
        Expected.insert(std::string("2024/XX/") + Station + "/" + Channel + ".D/XX." + Station +
                        ".." + Channel + ".D.2024." + Day);
  EXPECT_EQ(Names, Expected);
  // A record that starts before midnight and ends after it lies in the file
  // of its start day.
  const DecodedFile Before =
      ReadMseedFile(Work.File("arch/2024/XX/DM01/HHZ.D/XX.DM01..HHZ.D.2024.122"));
  ASSERT_TRUE(Before.Ok);
  const DecodedRecord& Last = Before.Records.back();
  EXPECT_GT(Last.StartHpTime + Last.SampleCount * 10000, HpTimeOf(2024, 123, 0, 0, 0, 0));
  // One line per input after its conversion.
  const auto Said = std::count_if(Run.Lines.begin(), Run.Lines.end(), [](const std::string& L) {
    return L.rfind("Archived ", 0) == 0 && L.find("; 0 already there") != std::string::npos;
  });
  EXPECT_EQ(Said, 6) << Run.Output;
  EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(),
                      "Archived 288 records in XX.DM01..HHZ.D.2024.122, XX.DM01..HHN.D.2024.122, "
                      "XX.DM01..HHE.D.2024.122; 0 already there"),
            Run.Lines.end())
      << Run.Output;
}

// Converting the same inputs again changes no byte, and the order in which
// inputs come (one run per file, the last first) does not either.
TEST(Archive, AgainOrInAnyOrderTheSameBytes) {
  ScratchDirectory Work;
  TheRecordings().WriteTo(Work);
  std::vector<std::string> Names = TheRecordings().Names();
  std::reverse(Names.begin(), Names.end());
  for (const std::string& Name : Names) ASSERT_EQ(Ingest(Work, {Name}).Status, 0);
  EXPECT_TRUE(Tree(Work.File("arch")) == ReferenceArchive());
  const ProgramRun Again = Ingest(Work, TheRecordings().Names());
  EXPECT_EQ(Again.Status, 0) << Again.Errors;
  EXPECT_TRUE(Tree(Work.File("arch")) == ReferenceArchive());
  for (const std::string& Line : Again.Lines) {
    if (Line.rfind("Archived ", 0) == 0) {
      EXPECT_EQ(Line.rfind("Archived 0 records in ", 0), 0u) << Line;
    }
  }
}

// A recording converted while the digitiser was still writing it, then once
// more when complete: the archive holds what the complete file alone gives.
TEST(Archive, APartialFileThenTheWholeGivesTheWhole) {
  const std::string Whole = TheRecordings().Files.at("DM01_2330.YCF");
  for (const std::size_t Blocks : {std::size_t{1}, std::size_t{200}, std::size_t{541}}) {
    ScratchDirectory Work, Alone;
    fs::create_directories(Work.File("in"));
    fs::create_directories(Alone.File("in"));
    WriteWholeFile(Work.File("in/x.YCF"), Whole.substr(0, Blocks * 1024));
    ASSERT_EQ(Ingest(Work, {"x.YCF"}).Status, 0);
    WriteWholeFile(Work.File("in/x.YCF"), Whole);
    const ProgramRun Run = Ingest(Work, {"x.YCF"});
    ASSERT_EQ(Run.Status, 0) << Run.Errors;
    WriteWholeFile(Alone.File("in/x.YCF"), Whole);
    ASSERT_EQ(Ingest(Alone, {"x.YCF"}).Status, 0);
    EXPECT_TRUE(Tree(Work.File("arch")) == Tree(Alone.File("arch"))) << Blocks << " blocks first";
    EXPECT_EQ(
        std::count_if(Run.Lines.begin(), Run.Lines.end(),
                      [](const std::string& L) { return L.find("overlap") != std::string::npos; }),
        0)
        << Run.Output;
  }
}

// Several processes ingesting into one archive at once leave, byte for
// byte, the archive of one sequential run.
TEST(Archive, ParallelJobsGiveTheSequentialArchive) {
  for (int Round = 0; Round < 3; ++Round) {
    ScratchDirectory Work;
    TheRecordings().WriteTo(Work);
    std::vector<pid_t> Jobs;
    // One job per file, and one over all of them.
    for (const std::string& Name : TheRecordings().Names()) {
      std::vector<std::string> Arguments = {"in/" + Name, "/sds:arch"};
      Arguments.insert(Arguments.end(), kSwitches.begin(), kSwitches.end());
      Jobs.push_back(StartDrumlin(Work.Path(), Arguments));
    }
    std::vector<std::string> All = {"in/*.YCF", "/sds:arch"};
    All.insert(All.end(), kSwitches.begin(), kSwitches.end());
    Jobs.push_back(StartDrumlin(Work.Path(), All));
    for (const pid_t Job : Jobs) {
      int Status = 0;
      ::waitpid(Job, &Status, 0);
      EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
    }
    EXPECT_TRUE(Tree(Work.File("arch")) == ReferenceArchive()) << "round " << Round;
  }
}

// Killed with SIGKILL at many points (an input held open through a FIFO, so
// that the kill lands where it is wanted, and plain files killed after a
// delay while day files are merged), every day file stays whole, and the
// same batch run again completes the archive as an uninterrupted run does.
TEST(Archive, KilledAnywhereARerunCompletesTheArchive) {
  const std::vector<std::string> Names = TheRecordings().Names();
  const std::string Held = TheRecordings().Files.at("DM01_2330.YCF");
  // Through a FIFO: after a part of the input, with the files before it in
  // the archive already.
  for (const double Part : {0.0, 0.3, 0.7, 0.99}) {
    ScratchDirectory Work;
    TheRecordings().WriteTo(Work);
    ASSERT_EQ(Ingest(Work, {"DM01_2130.YCF", "DM01_2230.YCF"}).Status, 0);
    ASSERT_EQ(::mkfifo(Work.File("in/held.YCF").c_str(), 0600), 0);
    std::vector<std::string> Arguments = {"in/held.YCF", "/sds:arch"};
    Arguments.insert(Arguments.end(), kSwitches.begin(), kSwitches.end());
    const pid_t Child = StartDrumlin(Work.Path(), Arguments);
    const int Fifo = ::open(Work.File("in/held.YCF").c_str(), O_WRONLY);
    ASSERT_GE(Fifo, 0);
    const std::size_t Count =
        static_cast<std::size_t>(Part * static_cast<double>(Held.size() / 1024)) * 1024;
    ASSERT_EQ(::write(Fifo, Held.data(), Count), static_cast<ssize_t>(Count));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ::kill(Child, SIGKILL);
    ::waitpid(Child, nullptr, 0);
    ::close(Fifo);
    ::unlink(Work.File("in/held.YCF").c_str());
    CheckedArchive(Work);
    ASSERT_EQ(Ingest(Work, Names).Status, 0);
    EXPECT_TRUE(Tree(Work.File("arch")) == ReferenceArchive()) << "killed at " << Part;
  }
  // Plain files, the later hours first so that the earlier ones are merged
  // into the middle of day files, killed after a delay.
  std::vector<std::string> Reversed = Names;
  std::reverse(Reversed.begin(), Reversed.end());
  for (const int Delay : {1, 3, 6, 10, 15, 20, 30, 45}) {
    ScratchDirectory Work;
    TheRecordings().WriteTo(Work);
    ASSERT_EQ(Ingest(Work, {Reversed[0], Reversed[1], Reversed[2]}).Status, 0);
    std::vector<std::string> Arguments;
    for (const std::string& Name : Reversed) Arguments.push_back("in/" + Name);
    Arguments.push_back("/sds:arch");
    Arguments.insert(Arguments.end(), kSwitches.begin(), kSwitches.end());
    const pid_t Child = StartDrumlin(Work.Path(), Arguments);
    std::this_thread::sleep_for(std::chrono::milliseconds(Delay));
    ::kill(Child, SIGKILL);
    ::waitpid(Child, nullptr, 0);
    CheckedArchive(Work);
    ASSERT_EQ(Ingest(Work, Names).Status, 0);
    EXPECT_TRUE(Tree(Work.File("arch")) == ReferenceArchive()) << "killed after " << Delay << " ms";
  }
}

// A reader that parses every day file over and over while inputs are
// ingested, appended and merged, never finds one torn.
TEST(Archive, AReaderNeverSeesATornDayFile) {
  ScratchDirectory Work;
  TheRecordings().WriteTo(Work);
  std::atomic<bool> Done = false;
  std::atomic<int> Reads = 0;
  std::string Seen;
  std::thread Reader([&] {
    while (!Done) {
      for (const auto& [Relative, Bytes] : Tree(Work.File("arch"))) {
        if (fs::path(Relative).filename().string().front() == '.') continue;  // not a day file
        const std::string Problem = DayFileProblem(Work.File("arch"), Relative);
        if (!Problem.empty() && Problem.find("cannot open") == std::string::npos && Seen.empty())
          Seen = Problem;
        ++Reads;
      }
    }
  });
  std::vector<std::string> Names = TheRecordings().Names();
  for (int Round = 0; Round < 3; ++Round) {
    // Later hours first, so that earlier ones are merged in.
    std::reverse(Names.begin(), Names.end());
    for (const std::string& Name : Names) EXPECT_EQ(Ingest(Work, {Name}).Status, 0);
    fs::remove_all(Work.File("arch"));
  }
  Done = true;
  Reader.join();
  EXPECT_EQ(Seen, "");
  EXPECT_GT(Reads, 0);
}

// A command that mounts a small file system of its own for the test, or
// empty where this machine does not let a test mount one.
std::string MountingShell() {
  for (const char* Unshare : {"unshare -rm", "unshare -m"})
    if (RunShell(std::string(Unshare) + " sh -c 'mount -t tmpfs none /tmp'", "/").Status == 0)
      return Unshare;
  return "";
}

// A full disk ends the batch with status 1, naming the day file and the
// reason; every day file is as it was, and nothing else is left.
TEST(Archive, AFullDiskLeavesEveryDayFileAsItWas) {
  const std::string Unshare = MountingShell();
  if (Unshare.empty()) GTEST_SKIP() << "no mount namespace here for a small tmpfs";
  // Appending (the later hours after the earlier) and merging (an earlier
  // hour after the later ones).
  const struct {
    const char* First;
    const char* Then;
  } Cases[] = {{"DM01_2130.YCF", "DM01_2230.YCF"}, {"DM01_2230.YCF", "DM01_2130.YCF"}};
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    TheRecordings().WriteTo(Work);
    ASSERT_EQ(Ingest(Work, {C.First}).Status, 0);
    const auto Before = Tree(Work.File("arch"));
    std::size_t Used = 0;
    for (const auto& [Name, Bytes] : Before) Used += Bytes.size();
    // Room for what is there and a little more, not for the next hour.
    const std::string Size = std::to_string(Used / 1024 + 64) + "k";
    fs::create_directory(Work.File("disk"));
    const std::string Drumlin = ShellQuoted(DrumlinProgram());
    const std::string Script = "mount -t tmpfs -o size=" + Size +
                               " none disk && cp -a arch/. disk/ && " + Drumlin + " in/" + C.Then +
                               " /sds:disk /streams /net:XX; echo status $?; "
                               "cp -a disk/. after/";
    fs::create_directory(Work.File("after"));
    const ProgramRun Run = RunShell(Unshare + " sh -c " + ShellQuoted(Script), Work.Path());
    EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(), "status 1"), Run.Lines.end())
        << Run.Output << Run.Errors;
    EXPECT_NE(Run.Errors.find("DRUMLIN: Stream write error: " + Work.File("disk/2024/XX/DM01/")),
              std::string::npos)
        << Run.Errors;
    EXPECT_NE(Run.Errors.find(std::strerror(ENOSPC)), std::string::npos) << Run.Errors;
    EXPECT_TRUE(Tree(Work.File("after")) == Before) << C.Then;
  }
}

// Codes that cannot name a day file (no network code, a code that could
// leave the archive's folder or name an odd path) are refused with one line
// naming the input and the stream; nothing is written anywhere, and the
// batch goes on.
TEST(Archive, CodesThatCannotNameAFileAreRefused) {
  const struct {
    std::vector<std::string> Switches;
    std::string Ini;
    std::string Stream;
  } Cases[] = {
      {{"/streams"}, "", ".DM01..HHZ (no network code)"},
      {{"/streams", "/net:.."},
       "",
       "...DM01..HHZ (the network code \"..\" cannot name an archive file)"},
      {{"/streams", "/net:X/"},
       "",
       "X/.DM01..HHZ (the network code \"X/\" cannot name an archive file)"},
      {{"/streams", "/net: X"}, "", "X.DM01..HHZ"},  // a leading blank is padding, not a code
      {{"/streams", "/net:*?"},
       "",
       "*?.DM01..HHZ (the network code \"*?\" cannot name an archive file)"},
      {{"/streams", "/net:XX", "/i:site.ini"},
       "[EXPORTINFO]\nDM01 = STA:../..\n",
       "XX.../....HHZ (the station code \"../..\" cannot name an archive file)"},
      {{"/streams", "/net:XX", "/i:site.ini"},
       "[EXPORTINFO]\nDM01 = LOC:.\n",
       "XX.DM01...HHZ (the location code \".\" cannot name an archive file)"},
  };
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    fs::create_directories(Work.File("in"));
    WriteWholeFile(Work.File("in/a.YCF"), TheRecordings().Files.at("DM01_2130.YCF"));
    WriteWholeFile(Work.File("in/b.YCF"), TheRecordings().Files.at("DM02_2330.YCF"));
    if (!C.Ini.empty()) WriteWholeFile(Work.File("site.ini"), C.Ini);
    fs::create_directories(Work.File("box/arch"));
    const auto Outside = Tree(Work.Path());
    std::vector<std::string> Arguments = {"../in/a.YCF", "/sds:arch"};
    Arguments.insert(Arguments.end(), C.Switches.begin(), C.Switches.end());
    if (!C.Ini.empty()) Arguments.back() = "/i:../site.ini";
    const ProgramRun Run = RunDrumlin(Arguments, Work.File("box"));
    EXPECT_EQ(Run.Status, 0) << Run.Errors;
    const std::string Refused = "ERROR: ../in/a.YCF: stream " + C.Stream +
                                " not archived; give /net: or an export parameters entry";
    if (C.Stream.find('(') == std::string::npos) {
      // Padding blanks are no part of a code: this one is archived.
      EXPECT_EQ(std::count_if(Run.Lines.begin(), Run.Lines.end(),
                              [](const std::string& L) { return L.rfind("ERROR", 0) == 0; }),
                0)
          << Run.Output;
      EXPECT_TRUE(fs::exists(Work.File("box/arch/2024/X/DM01/HHZ.D/X.DM01..HHZ.D.2024.122")));
      continue;
    }
    EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(), Refused), Run.Lines.end())
        << Run.Output;
    EXPECT_EQ(std::count_if(Run.Lines.begin(), Run.Lines.end(),
                            [](const std::string& L) { return L.rfind("ERROR", 0) == 0; }),
              3)
        << Run.Output;  // one line per stream
    EXPECT_TRUE(Tree(Work.Path()) == Outside) << C.Stream;
  }
}

// Records of one stream from two digitisers given the same codes by mistake:
// both are kept, and one line per day file names the overlap.
TEST(Archive, OverlapsAreKeptAndTold) {
  ScratchDirectory Work;
  fs::create_directories(Work.File("in"));
  WriteWholeFile(Work.File("in/a.YCF"), HourFile("DM01", May(1, 23, 30), 1));
  WriteWholeFile(Work.File("in/b.YCF"), HourFile("DM01", May(1, 23, 30) + 5 * kUsPerSecond, 2));
  WriteWholeFile(Work.File("site.ini"), "[EXPORTINFO]\nDM01 = NET:XX\n");
  ASSERT_EQ(Ingest(Work, {"a.YCF"}).Status, 0);
  const ProgramRun Run = Ingest(Work, {"b.YCF"}, {"/streams", "/i:site.ini"});
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  std::vector<std::string> Told;
  for (const std::string& Line : Run.Lines)
    if (Line.rfind("WARNING: records overlap in ", 0) == 0) Told.push_back(Line);
  // In each day file, the first record that starts before its predecessor
  // ends, as libmseed reads them.
  std::vector<std::string> Expected;
  for (const char* Day : {"122", "123"}) {
    for (const char* Channel : {"HHZ", "HHN", "HHE"}) {
      const std::string Name = std::string("XX.DM01..") + Channel + ".D.2024." + Day;
      const DecodedFile File =
          ReadMseedFile(Work.File("arch/2024/XX/DM01/" + std::string(Channel) + ".D/" + Name));
      ASSERT_TRUE(File.Ok) << File.Problem;
      for (std::size_t I = 1; I < File.Records.size(); ++I) {
        const DecodedRecord &A = File.Records[I - 1], &B = File.Records[I];
        const int64_t EndA = A.StartHpTime + A.SampleCount * 10000;
        const int64_t EndB = B.StartHpTime + B.SampleCount * 10000;
        if (B.StartHpTime >= EndA - 5000) continue;
        const auto Clock = [](int64_t HpTime) { return HpTimeText(HpTime).substr(11, 13); };
        Expected.push_back("WARNING: records overlap in " + Name + ": " + Clock(B.StartHpTime) +
                           " to " + Clock(std::min(EndA, EndB)));
        break;
      }
    }
  }
  ASSERT_EQ(Expected.size(), 6u);
  EXPECT_EQ(Expected[0],
            "WARNING: records overlap in XX.DM01..HHZ.D.2024.122: 23:30:05.0000 to 23:30:37.7200");
  EXPECT_EQ(Told, Expected) << Run.Output;
  std::multiset<std::string> Records;
  for (const char* Name : {"a.YCF", "b.YCF"})
    for (std::string& Record : Split(ConvertedAlone(
             ReadWholeFile(Work.File(std::string("in/") + Name)), {"/streams", "/net:XX"})))
      Records.insert(Record);
  EXPECT_TRUE(CheckedArchive(Work) == Records);
}

}  // namespace
}  // namespace drumlin

namespace drumlin {
namespace {

// A day file cut in the middle of a record (an append that a crash broke
// off) loses the part of a record at its end when it is next written, and
// the run repeated writes that record whole.
TEST(Archive, ATornRecordAtTheEndIsCutAndWrittenAgain) {
  ScratchDirectory Work;
  TheRecordings().WriteTo(Work);
  ASSERT_EQ(Ingest(Work, TheRecordings().Names()).Status, 0);
  const std::string Day = Work.File("arch/2024/XX/DM01/HHZ.D/XX.DM01..HHZ.D.2024.122");
  fs::resize_file(Day, fs::file_size(Day) - 3000);
  ASSERT_EQ(Ingest(Work, TheRecordings().Names()).Status, 0);
  EXPECT_TRUE(Tree(Work.File("arch")) == ReferenceArchive());
}

// A day file's name that is a symbolic link, or anything but a regular file,
// is never written through: the batch ends with status 1 naming it.
TEST(Archive, ADayFileThatIsALinkIsNotWrittenThrough) {
  ScratchDirectory Work;
  TheRecordings().WriteTo(Work);
  WriteWholeFile(Work.File("precious"), "not a day file");
  const std::string Folder = Work.File("arch/2024/XX/DM01/HHZ.D/");
  fs::create_directories(Folder);
  fs::create_symlink(Work.File("precious"), Folder + "XX.DM01..HHZ.D.2024.122");
  const ProgramRun Run = Ingest(Work, {"DM01_2130.YCF"});
  EXPECT_EQ(Run.Status, 1);
  EXPECT_NE(Run.Errors.find("XX.DM01..HHZ.D.2024.122"), std::string::npos) << Run.Errors;
  EXPECT_EQ(ReadWholeFile(Work.File("precious")), "not a day file");
}

}  // namespace
}  // namespace drumlin

namespace drumlin {
namespace {

// Memory stays bounded whatever the number of streams and day files: ten
// thousand streams of one block each, archived within 16 MB of address
// space, every record in a day file of its own.
TEST(Archive, ManyStreamsInBoundedMemory) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::vector<YcfBlock> Blocks;
  for (uint32_t S = 0; S < 10000; ++S) {
    const std::string Station =
        std::string("S") + kDigits[S / 1296] + kDigits[S / 36 % 36] + kDigits[S % 36];
    YcfHeaderSpec H;
    H.SystemId = 7;
    H.StreamId = Base36Value(Station + "Z2");
    H.Compression = 4;
    std::vector<int32_t> Quiet(1000);
    for (std::size_t I = 0; I < Quiet.size(); ++I) Quiet[I] = static_cast<int32_t>(I % 50);
    SetBlockStart(H, May(1, 12, 0));
    Blocks.push_back(MakeDataBlock(H, Quiet));
  }
  ScratchDirectory Work;
  WriteYcfFile(Work.File("wide.YCF"), Blocks);
  const ProgramRun Run = RunDrumlin({"wide.YCF", "/sds:arch", "/streams", "/net:XX"}, Work.Path(),
                                    "ulimit -v 16384 &&");
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(Run.Lines.back(),
            "Archived 10000 records in XX.S000..HHZ.D.2024.122, XX.S001..HHZ.D.2024.122, "
            "XX.S002..HHZ.D.2024.122 and 9997 more day files; 0 already there");
  const auto Archive = Tree(Work.File("arch"));
  EXPECT_EQ(Archive.size(), 10000u);
  EXPECT_EQ(Archive.count("2024/XX/S7PR/HHZ.D/XX.S7PR..HHZ.D.2024.122"), 1u);
  for (const auto& [Relative, Bytes] : Archive) ASSERT_EQ(Bytes.size(), kRecord) << Relative;
}

}  // namespace
}  // namespace drumlin
