#include "testsupport/program_run.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "testsupport/files.h"

namespace drumlin::test {

namespace {

// A file for one captured stream, apart from the working directory.
std::string CaptureFile() {
  std::string Template = (std::filesystem::temp_directory_path() / "drumlin-run-XXXXXX").string();
  const int Fd = ::mkstemp(Template.data());
  if (Fd < 0) throw std::runtime_error("mkstemp failed");
  ::close(Fd);
  return Template;
}

}  // namespace

const std::string& DrumlinProgram() {
  static const std::string Program = DRUMLIN_PROGRAM;
  return Program;
}

std::string ShellQuoted(const std::string& Text) {
  std::string Result = "'";
  for (const char C : Text) {
    if (C == '\'')
      Result.append("'\\''");
    else
      Result.push_back(C);
  }
  Result.push_back('\'');
  return Result;
}

ProgramRun RunShell(const std::string& Command, const std::string& WorkDir) {
  const std::string Out = CaptureFile();
  const std::string Err = CaptureFile();
  const std::string Whole = "cd " + ShellQuoted(WorkDir) + " && export LC_ALL=C && { " + Command +
                            " ; } >" + ShellQuoted(Out) + " 2>" + ShellQuoted(Err);
  const int Raw = std::system(Whole.c_str());
  ProgramRun Run;
  Run.Status = WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
  Run.Output = ReadWholeFile(Out);
  std::istringstream Stream(Run.Output);
  for (std::string Line; std::getline(Stream, Line);) Run.Lines.push_back(Line);
  Run.Errors = ReadWholeFile(Err);
  std::remove(Out.c_str());
  std::remove(Err.c_str());
  return Run;
}

ProgramRun RunDrumlin(const std::vector<std::string>& Arguments, const std::string& WorkDir,
                      const std::string& Extra) {
  std::string Command = Extra.empty() ? "" : Extra + " ";
  Command += ShellQuoted(DrumlinProgram());
  for (const std::string& Argument : Arguments) Command.append(" ").append(ShellQuoted(Argument));
  return RunShell(Command, WorkDir);
}

}  // namespace drumlin::test
