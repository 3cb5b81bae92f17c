// What an older output and the other files of a user go through when a
// conversion is killed, runs out of disk, meets links or clashing names:
// real kills, a real full file system, real links.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
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

// Killed with SIGKILL while the input still comes in (through a FIFO, so
// that the conversion is surely under way), the conversion leaves the older
// output as it was; let finish, the complete new one. Nothing else is left
// beside them.
TEST(OutputSafety, AKilledConversionLeavesTheOlderOutputWhole) {
  const std::string Input = Bytes(Recording(4000, 1));  // 4 MB, about 1000 records
  const std::string Old = ConvertedAlone(Bytes(Recording(300, 2)));
  const std::string New = ConvertedAlone(Input);
  ASSERT_GT(New.size(), 900u * 4096u);
  ASSERT_NE(Old, New);
  // Fractions of the input written before the kill; 1 lets it finish.
  for (const double Part : {0.0, 0.4, 0.9, 1.0}) {
    ScratchDirectory Work;
    WriteWholeFile(Work.File("big.msd"), Old);
    ASSERT_EQ(::mkfifo(Work.File("big.YCF").c_str(), 0600), 0);
    const pid_t Child = StartDrumlin(Work.Path(), {"big.YCF"});
    const int Fifo = ::open(Work.File("big.YCF").c_str(), O_WRONLY);  // waits for the reader
    ASSERT_GE(Fifo, 0);
    const std::size_t Count =
        static_cast<std::size_t>(Part * static_cast<double>(Input.size() / 1024)) * 1024;
    ASSERT_EQ(::write(Fifo, Input.data(), Count), static_cast<ssize_t>(Count));
    int Status = 0;
    if (Part < 1.0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));  // records reach the disk
      ::kill(Child, SIGKILL);
      ::waitpid(Child, &Status, 0);
      ::close(Fifo);
      EXPECT_TRUE(WIFSIGNALED(Status)) << Part;
      EXPECT_TRUE(ReadWholeFile(Work.File("big.msd")) == Old) << "killed at " << Part;
    } else {
      ::close(Fifo);
      ::waitpid(Child, &Status, 0);
      EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
      EXPECT_TRUE(ReadWholeFile(Work.File("big.msd")) == New) << "finished";
    }
    EXPECT_EQ(Entries(Work.Path()), (std::set<std::string>{"big.YCF", "big.msd"})) << Part;
  }
}

// The same with a plain input file killed at several moments: whenever the
// kill lands, the name holds the older output or the complete new one.
TEST(OutputSafety, KilledAtAnyMomentTheNameHoldsOneWholeOutput) {
  const std::string Input = Bytes(Recording(16000, 3));  // 16 MB
  const std::string Old = ConvertedAlone(Bytes(Recording(300, 4)));
  const std::string New = ConvertedAlone(Input);
  ScratchDirectory Work;
  WriteWholeFile(Work.File("big.YCF"), Input);
  for (const int Delay : {0, 2, 5, 10, 20, 40}) {
    WriteWholeFile(Work.File("big.msd"), Old);
    const pid_t Child = StartDrumlin(Work.Path(), {"big.YCF"});
    std::this_thread::sleep_for(std::chrono::milliseconds(Delay));
    ::kill(Child, SIGKILL);
    ::waitpid(Child, nullptr, 0);
    const std::string After = ReadWholeFile(Work.File("big.msd"));
    EXPECT_TRUE(After == Old || After == New) << "killed after " << Delay << " ms";
    EXPECT_EQ(Entries(Work.Path()), (std::set<std::string>{"big.YCF", "big.msd"})) << Delay;
  }
}

// A command that mounts a small file system of its own for the test, or
// empty where this machine does not let a test mount one.
std::string MountingShell() {
  for (const char* Unshare : {"unshare -rm", "unshare -m"})
    if (RunShell(std::string(Unshare) + " sh -c 'mount -t tmpfs none /tmp'", "/").Status == 0)
      return Unshare;
  return "";
}

// A full disk ends the batch with the file and the reason; the older output
// and the outputs written before stay whole, and the partial new file is gone.
TEST(OutputSafety, AFullDiskKeepsTheOlderOutputAndNamesTheFile) {
  const std::string Unshare = MountingShell();
  if (Unshare.empty()) GTEST_SKIP() << "no mount namespace here for a small tmpfs";
  ScratchDirectory Work;
  const std::string Small = Bytes(Recording(20, 5));
  const std::string Large = Bytes(Recording(1500, 6));  // about 400 KB of records
  WriteWholeFile(Work.File("a.YCF"), Small);
  WriteWholeFile(Work.File("b.YCF"), Large);
  const std::string Old = ConvertedAlone(Bytes(Recording(200, 7)));
  WriteWholeFile(Work.File("old.msd"), Old);
  fs::create_directory(Work.File("disk"));
  // 256 KB of space: a.msd and the older b.msd fit, the new b.msd does not.
  const std::string Script = "mount -t tmpfs -o size=256k none disk && cp old.msd disk/b.msd && " +
                             ShellQuoted(DrumlinProgram()) + " a.YCF /o:disk && " +
                             ShellQuoted(DrumlinProgram()) +
                             " b.YCF /o:disk; echo status $?; ls -a disk; cmp disk/b.msd old.msd "
                             "&& echo old kept; cp disk/a.msd a.msd";
  const ProgramRun Run = RunShell(Unshare + " sh -c " + ShellQuoted(Script), Work.Path());
  EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(), "status 1"), Run.Lines.end())
      << Run.Output;
  EXPECT_NE(Run.Errors.find("DRUMLIN: Stream write error: " + Work.File("disk/b.msd") + ": " +
                            std::strerror(ENOSPC)),
            std::string::npos)
      << Run.Errors;
  EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(), "old kept"), Run.Lines.end())
      << Run.Output;
  // Only the two outputs stand on the disk: no partial file.
  std::vector<std::string> Listed;
  for (const std::string& Line : Run.Lines)
    if (Line == "a.msd" || Line == "b.msd" || Line.find("drumlin") != std::string::npos)
      Listed.push_back(Line);
  EXPECT_EQ(Listed, (std::vector<std::string>{"a.msd", "b.msd"})) << Run.Output;
  EXPECT_TRUE(ReadWholeFile(Work.File("a.msd")) == ConvertedAlone(Small));
}

// An output name that is a link is replaced by the new file: the file the
// link pointed to is never written. An output that is the input itself
// (a hard or a symbolic link to it) is refused, and the batch goes on.
TEST(OutputSafety, LinksAreReplacedNotFollowed) {
  ScratchDirectory Work;
  const std::string Input = Bytes(Recording(10, 8));
  for (const char* Name : {"a.YCF", "c.YCF", "d.YCF", "e.YCF"})
    WriteWholeFile(Work.File(Name), Input);
  WriteWholeFile(Work.File("precious"), "not a record file");
  fs::create_symlink(Work.File("precious"), Work.File("a.msd"));
  fs::create_hard_link(Work.File("c.YCF"), Work.File("c.msd"));
  fs::create_symlink("d.YCF", Work.File("d.msd"));
  const ProgramRun Run = RunDrumlin({"*.YCF"}, Work.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(ReadWholeFile(Work.File("precious")), "not a record file");
  EXPECT_FALSE(fs::is_symlink(Work.File("a.msd")));
  const std::string Expected = ConvertedAlone(Input);
  EXPECT_TRUE(ReadWholeFile(Work.File("a.msd")) == Expected);
  EXPECT_TRUE(ReadWholeFile(Work.File("e.msd")) == Expected);
  for (const char* Name : {"c", "d"}) {
    const std::string In = std::string(Name) + ".YCF", Out = std::string(Name) + ".msd";
    EXPECT_TRUE(ReadWholeFile(Work.File(In)) == Input) << In;
    EXPECT_NE(std::find(Run.Lines.begin(), Run.Lines.end(),
                        "ERROR: output file " + Out + " is the input file " + In + " - skipping"),
              Run.Lines.end())
        << Run.Output;
  }
}

// Two inputs of one batch that name the same output: the first keeps it,
// the second is refused with one line naming both, and the batch goes on.
TEST(OutputSafety, InputsOfOneBatchNeverOverwriteEachOthersOutput) {
  const struct {
    std::vector<std::string> Inputs;
    std::string Output;
  } Cases[] = {
      {{"data.YCF", "data.ycf"}, "data.msd"},
      {{"x", "x.YCF", "x.yCf"}, "x.msd"},
  };
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    for (std::size_t I = 0; I < C.Inputs.size(); ++I)
      WriteWholeFile(Work.File(C.Inputs[I]),
                     Bytes(Recording(5 + static_cast<int>(I), 9 + static_cast<uint32_t>(I))));
    WriteWholeFile(Work.File("other.YCF"), Bytes(Recording(5, 20)));
    const ProgramRun Run = RunDrumlin({"*"}, Work.Path());
    EXPECT_EQ(Run.Status, 0) << Run.Errors;
    // Inputs in the order the listing gave them.
    std::vector<std::string> Order;
    for (const std::string& Line : Run.Lines)
      if (Line.rfind("Converting ", 0) == 0 &&
          std::count(C.Inputs.begin(), C.Inputs.end(), Line.substr(11)) > 0)
        Order.push_back(Line.substr(11));
    ASSERT_EQ(Order.size(), C.Inputs.size());
    std::vector<std::string> Errors;
    for (const std::string& Line : Run.Lines)
      if (Line.rfind("ERROR: ", 0) == 0) Errors.push_back(Line);
    std::vector<std::string> Expected;
    for (std::size_t I = 1; I < Order.size(); ++I)
      Expected.push_back("ERROR: " + Order[I] + " and " + Order[0] + " both convert to " +
                         C.Output + " - skipping " + Order[I]);
    EXPECT_EQ(Errors, Expected);
    EXPECT_TRUE(ReadWholeFile(Work.File(C.Output)) ==
                ConvertedAlone(ReadWholeFile(Work.File(Order[0]))))
        << "the first input's output stays";
    EXPECT_TRUE(fs::exists(Work.File("other.msd")));
  }
}

// Half a megabyte of stack is plenty: the buffers live on the heap.
TEST(OutputSafety, ASmallStackIsEnough) {
  ScratchDirectory Work;
  const std::string Input = Bytes(Recording(300, 11));
  WriteWholeFile(Work.File("s.YCF"), Input);
  const ProgramRun Run = RunDrumlin({"s.YCF"}, Work.Path(), "ulimit -s 512 &&");
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_TRUE(ReadWholeFile(Work.File("s.msd")) == ConvertedAlone(Input));
}

}  // namespace
}  // namespace drumlin
