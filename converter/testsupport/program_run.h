// Runs the DRUMLIN program, or a shell command around it, in a working
// directory with the POSIX locale, and collects its standard output,
// standard error and exit status.
#pragma once

#include <string>
#include <vector>

namespace drumlin::test {

struct ProgramRun {
  std::string Output;              // standard output as written
  std::vector<std::string> Lines;  // the same, line by line
  std::string Errors;              // standard error
  int Status = -1;                 // exit status; -1 when killed by a signal
};

// The DRUMLIN program under test.
const std::string& DrumlinProgram();

// A text quoted for the shell.
std::string ShellQuoted(const std::string& Text);

// DRUMLIN with the given arguments. Extra is put before the program on the
// command line, for variable settings such as "HOME=/somewhere" or a
// command prefix such as "ulimit -s 512 &&" (given unquoted).
ProgramRun RunDrumlin(const std::vector<std::string>& Arguments, const std::string& WorkDir,
                      const std::string& Extra = "");

// Any shell command, in WorkDir with the POSIX locale.
ProgramRun RunShell(const std::string& Command, const std::string& WorkDir);

}  // namespace drumlin::test
