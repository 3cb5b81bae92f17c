// What one command line asks of DRUMLIN: its usage text, help or version,
// the conversion of the files its parameters name, or nothing at all
// because a parameter is neither a switch nor a file.
#pragma once

#include <string>
#include <vector>

namespace drumlin {

struct CommandLine {
  enum class Action { Usage, Help, Version, Convert, Refuse };

  struct Input {
    std::string Directory;  // as the parameter gave it, ending in '/'; may be empty
    std::string Name;       // the directory entry
  };

  Action What = Action::Usage;
  // Convert: the files to convert, each once, in the order of the parameters
  // that name them and, within a pattern, in listing order.
  std::vector<Input> Inputs;
  // Refuse: one line for every parameter that is neither, and for switches
  // that cannot go together.
  std::vector<std::string> Problems;
};

// Reads the parameters stored by SetParameters. Parameter 1 is a file name
// or pattern (a pattern that selects nothing selects nothing, silently), and
// so is every later parameter that matches a directory entry, as the
// shell hands over the names a wildcard expands to; any other later
// parameter must be one of DRUMLIN's switches. "/sds:" needs a folder and
// excludes "/o:".
CommandLine ReadCommandLine();

}  // namespace drumlin
