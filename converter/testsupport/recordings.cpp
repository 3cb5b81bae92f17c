#include "testsupport/recordings.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "testsupport/base36.h"
#include "testsupport/files.h"
#include "testsupport/program_run.h"
#include "testsupport/reference_time.h"
#include "testsupport/scratch_directory.h"
#include "testsupport/ycf_writer.h"

namespace drumlin::test {

std::vector<YcfBlock> Recording(int Blocks, uint32_t Seed, UsTime Start, const std::string& System,
                                const std::string& Stream) {
  std::vector<int32_t> Samples(static_cast<std::size_t>(Blocks) * 1000);
  uint32_t State = Seed;
  int32_t Value = 0;
  for (int32_t& V : Samples) {
    State = State * 1103515245u + 12345u;
    Value += static_cast<int32_t>(State >> 27) - 16;
    V = Value;
  }
  return MakeStream({Base36Value(System), Base36Value(Stream), 100, 0}, Start, Samples);
}

std::vector<YcfBlock> Recording(int Blocks, uint32_t Seed) {
  return Recording(Blocks, Seed, EncodeUsDate(2024, 5, 1) + EncodeUsTime(0, 0, 0, 0));
}

std::string Bytes(const std::vector<YcfBlock>& Blocks) {
  return std::string(reinterpret_cast<const char*>(Blocks.data()),
                     Blocks.size() * sizeof(YcfBlock));
}

std::string ConvertedAlone(const std::string& Input, const std::vector<std::string>& Switches) {
  ScratchDirectory Work;
  WriteWholeFile(Work.File("in.YCF"), Input);
  std::vector<std::string> Arguments = {"in.YCF"};
  Arguments.insert(Arguments.end(), Switches.begin(), Switches.end());
  const ProgramRun Run = RunDrumlin(Arguments, Work.Path());
  if (Run.Status != 0) throw std::runtime_error("DRUMLIN failed: " + Run.Errors);
  return ReadWholeFile(Work.File("in.msd"));
}

std::set<std::string> Entries(const std::string& Directory) {
  std::set<std::string> Names;
  for (const auto& Entry : std::filesystem::directory_iterator(Directory))
    Names.insert(Entry.path().filename().string());
  return Names;
}

pid_t StartDrumlin(const std::string& WorkDir, const std::vector<std::string>& Arguments,
                   const std::string& StdoutFile) {
  const pid_t Child = ::fork();
  if (Child == 0) {
    if (::chdir(WorkDir.c_str()) != 0) ::_exit(127);
    const int Out = StdoutFile.empty()
                        ? ::open("/dev/null", O_WRONLY)
                        : ::open(StdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(Out, 1);
    std::vector<char*> Argv = {const_cast<char*>(DrumlinProgram().c_str())};
    for (const std::string& A : Arguments) Argv.push_back(const_cast<char*>(A.c_str()));
    Argv.push_back(nullptr);
    ::execv(Argv[0], Argv.data());
    ::_exit(127);
  }
  return Child;
}

}  // namespace drumlin::test
