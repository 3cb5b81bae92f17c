// Inputs that change or fail under a running conversion: a file cut short or
// removed while it is converted (the process held still with SIGSTOP while
// the file changes, so that the cut surely lands where it is wanted), and a
// real read error from a file system that fails reads beyond an offset.
// Each ends its input as its end of file would, and the batch goes on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/mseed_reader.h"
#include "testsupport/program_run.h"
#include "testsupport/recordings.h"
#include "testsupport/scratch_directory.h"

namespace drumlin {
namespace {

namespace fs = std::filesystem;
using namespace test;

// How far process Pid has read the file Path, once it has it open; nullopt
// while it has not opened it.
std::optional<uint64_t> ReadOffset(pid_t Pid, const std::string& Path) {
  const std::string Proc = "/proc/" + std::to_string(Pid);
  std::error_code Error;
  for (const auto& Fd : fs::directory_iterator(Proc + "/fd", Error)) {
    if (fs::read_symlink(Fd.path(), Error) != Path) continue;
    std::ifstream Info(Proc + "/fdinfo/" + Fd.path().filename().string());
    std::string Key;
    uint64_t Offset = 0;
    if (Info >> Key >> Offset && Key == "pos:") return Offset;
  }
  return std::nullopt;
}

// Process Pid stopped once it has the file Path open; its read offset then,
// or nullopt when the process was done with the file (or never opened it
// within ten seconds) before it could be stopped: a busy machine may let it
// run through.
std::optional<uint64_t> StopOnceOpen(pid_t Pid, const std::string& Path) {
  for (int Look = 0; Look < 100000; ++Look) {
    if (ReadOffset(Pid, Path)) {
      ::kill(Pid, SIGSTOP);
      int Status = 0;
      ::waitpid(Pid, &Status, WUNTRACED);
      if (WIFSTOPPED(Status)) return ReadOffset(Pid, Path);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return std::nullopt;
}

std::vector<std::string> LinesOf(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t Begin = 0;
  for (std::size_t End; (End = Text.find('\n', Begin)) != std::string::npos; Begin = End + 1)
    Lines.push_back(Text.substr(Begin, End - Begin));
  return Lines;
}

enum class Cut { AtABlock, MidBlock, Removed };

// An input cut short or removed while it is converted: what was read ends
// the input as its end of file, whole records are written, the log shows
// both files, and the next file of the batch is converted byte for byte.
TEST(InputFaults, AnInputCutWhileConvertedEndsThere) {
  const std::string Big = Bytes(Recording(48000, 1));  // 48 MB
  const std::string Next = Bytes(Recording(300, 2));
  for (const Cut How : {Cut::AtABlock, Cut::MidBlock, Cut::Removed}) {
    SCOPED_TRACE(static_cast<int>(How));
    ScratchDirectory Work;
    WriteWholeFile(Work.File("b.YCF"), Next);
    pid_t Child = 0;
    uint64_t Kept = Big.size();
    // Until the process is caught far enough from the input's end to cut it
    // well beyond what it has read, so that the conversion meets the cut.
    for (int Attempt = 0;; ++Attempt) {
      ASSERT_LT(Attempt, 10) << "the conversion always ran through before it could be stopped";
      WriteWholeFile(Work.File("a.YCF"), Big);
      Child = StartDrumlin(Work.Path(), {"a.YCF", "b.YCF", "/o:out"}, Work.File("log"));
      const std::optional<uint64_t> Read = StopOnceOpen(Child, Work.File("a.YCF"));
      if (Read && (Read.value() / 1024 + 2049) * 1024 < Big.size()) {
        if (How != Cut::Removed)
          Kept = (Read.value() / 1024 + 2048) * 1024 + (How == Cut::MidBlock ? 700 : 0);
        break;
      }
      ::kill(Child, SIGCONT);
      ::waitpid(Child, nullptr, 0);
    }
    if (How == Cut::Removed)
      ASSERT_EQ(::unlink(Work.File("a.YCF").c_str()), 0);
    else
      ASSERT_EQ(::truncate(Work.File("a.YCF").c_str(), static_cast<off_t>(Kept)), 0);
    ::kill(Child, SIGCONT);
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    ASSERT_TRUE(WIFEXITED(Status)) << "ended by signal " << WTERMSIG(Status);
    EXPECT_EQ(WEXITSTATUS(Status), 0);
    EXPECT_EQ(LinesOf(ReadWholeFile(Work.File("log"))),
              (std::vector<std::string>{"Converting a.YCF", "Converting b.YCF"}));
    const std::string Made = ReadWholeFile(Work.File("out/a.msd"));
    EXPECT_TRUE(Made == ConvertedAlone(Big.substr(0, Kept - Kept % 1024)));
    const DecodedFile Decoded = ReadMseedFile(Work.File("out/a.msd"));
    EXPECT_TRUE(Decoded.Ok) << Decoded.Problem;
    EXPECT_TRUE(ReadWholeFile(Work.File("out/b.msd")) == ConvertedAlone(Next));
  }
}

// The log of a batch killed in the middle of its second file shows how far
// it got: the first file's lines and the name of the file under way.
TEST(InputFaults, TheLogOfAKilledBatchShowsHowFarItGot) {
  ScratchDirectory Work;
  std::vector<YcfBlock> First = Recording(100, 5);
  First.erase(First.begin() + 50);  // a gap, so that the first file says something
  WriteWholeFile(Work.File("a.YCF"), Bytes(First));
  ASSERT_EQ(::mkfifo(Work.File("b.YCF").c_str(), 0600), 0);
  const pid_t Child = StartDrumlin(Work.Path(), {"a.YCF", "b.YCF", "/o:out"}, Work.File("log"));
  // The batch has reached b.YCF once it opens the FIFO (looked for for at
  // most ten seconds, so that a batch that never gets there fails the test).
  int Fifo = -1;
  for (int Try = 0; Try < 1000 && Fifo < 0; ++Try) {
    Fifo = ::open(Work.File("b.YCF").c_str(), O_WRONLY | O_NONBLOCK);
    if (Fifo < 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (Fifo < 0) ::kill(Child, SIGKILL);
  ASSERT_GE(Fifo, 0) << "the batch never opened its second file";
  const std::string Part = Bytes(Recording(10, 6));
  ASSERT_EQ(::write(Fifo, Part.data(), Part.size()), static_cast<ssize_t>(Part.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ::kill(Child, SIGKILL);
  ::waitpid(Child, nullptr, 0);
  ::close(Fifo);
  const std::vector<std::string> Log = LinesOf(ReadWholeFile(Work.File("log")));
  ASSERT_EQ(Log.size(), 3u) << ReadWholeFile(Work.File("log"));
  EXPECT_EQ(Log[0], "Converting a.YCF");
  EXPECT_EQ(Log[1].rfind("WARNING: Gap in time-series from ", 0), 0u) << Log[1];
  EXPECT_EQ(Log[2], "Converting b.YCF");
}

// A command that mounts a file system for the test, or empty where this
// machine does not let a test mount one.
bool CanMountFuse() {
  return ::access("/dev/fuse", R_OK | W_OK) == 0 && fs::exists(FAILING_FS_PROGRAM);
}

// A read error under the conversion (a file system that fails reads beyond
// an offset, as a bad sector does): one line names the file and the
// system's reason, what was read before is converted, and the batch goes on.
TEST(InputFaults, AReadErrorIsNamedAndTheBatchGoesOn) {
  if (!CanMountFuse()) GTEST_SKIP() << "no FUSE here: /dev/fuse or the test file system missing";
  ScratchDirectory Work;
  const std::string Input = Bytes(Recording(2000, 3));
  const std::string Next = Bytes(Recording(100, 4));
  const uint64_t Failing = 1500 * 1024 + 512;  // within block 1500
  WriteWholeFile(Work.File("backing"), Input);
  WriteWholeFile(Work.File("b.YCF"), Next);
  fs::create_directory(Work.File("disk"));
  const ProgramRun Mounted =
      RunShell(ShellQuoted(FAILING_FS_PROGRAM) + " backing " + std::to_string(Failing) +
                   " disk >fs.log 2>&1 & for i in $(seq 100); do test -e disk/bad.YCF && exit 0; "
                   "sleep 0.05; done; exit 1",
               Work.Path());
  if (Mounted.Status != 0) {
    RunShell("fusermount3 -u disk || umount disk", Work.Path());
    GTEST_SKIP() << "the test file system cannot be mounted here: "
                 << ReadWholeFile(Work.File("fs.log"));
  }
  const ProgramRun Run = RunDrumlin({"disk/bad.YCF", "b.YCF", "/o:out"}, Work.Path());
  RunShell("fusermount3 -u disk || umount disk", Work.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(Run.Lines, (std::vector<std::string>{
                           "Converting bad.YCF",
                           "ERROR: read error in disk/bad.YCF: Input/output error - the rest of "
                           "the file is not converted",
                           "Converting b.YCF"}));
  EXPECT_TRUE(ReadWholeFile(Work.File("out/bad.msd")) ==
              ConvertedAlone(Input.substr(0, 1500 * 1024)));
  EXPECT_TRUE(ReadMseedFile(Work.File("out/bad.msd")).Ok);
  EXPECT_TRUE(ReadWholeFile(Work.File("out/b.msd")) == ConvertedAlone(Next));
}

}  // namespace
}  // namespace drumlin
