// Runs the DRUMLIN program in a working directory with the POSIX locale and
// collects its standard output, standard error and exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "end_to_end/test_support.h"

namespace drumlin::test {

struct ProgramRun {
  std::vector<std::string> Lines;  // standard output, line by line
  std::string Errors;
  int Status = -1;
};

inline std::string ShellQuoted(const std::string& Text) {
  std::string Result = "'";
  for (char C : Text) Result += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Result + "'";
}

inline ProgramRun RunDrumlin(const std::vector<std::string>& Arguments, const std::string& WorkDir,
                             const std::string& Home = "") {
  // Beside the working directory, whose name is unique.
  const std::string Out = WorkDir + ".stdout";
  const std::string Err = WorkDir + ".stderr";
  std::string Command = "cd ";
  Command.append(ShellQuoted(WorkDir)).append(" && LC_ALL=C ");
  if (!Home.empty()) Command.append("HOME=").append(ShellQuoted(Home)).append(" ");
  Command.append(ShellQuoted(DRUMLIN_PROGRAM));
  for (const std::string& Argument : Arguments) Command.append(" ").append(ShellQuoted(Argument));
  Command.append(" >").append(ShellQuoted(Out)).append(" 2>").append(ShellQuoted(Err));
  const int Raw = std::system(Command.c_str());
  ProgramRun Run;
  Run.Status = WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
  std::istringstream Stream(ReadWholeFile(Out));
  for (std::string Line; std::getline(Stream, Line);) Run.Lines.push_back(Line);
  Run.Errors = ReadWholeFile(Err);
  std::remove(Out.c_str());
  std::remove(Err.c_str());
  return Run;
}

}  // namespace drumlin::test
