// msd_plot: a quick look at miniSEED files, or a chart of the data they
// hold. See man/man1/msd_plot.1.
#include <cstdio>
#include <string>
#include <vector>

#include "msd_plot/options.h"
#include "msd_plot/run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  const viewer::ParsedArguments Parsed = viewer::ParseArguments(Arguments);
  switch (Parsed.What) {
    case viewer::ParsedArguments::Help: std::fputs(viewer::UsageText().c_str(), stdout); return 0;
    case viewer::ParsedArguments::Version:
      std::printf("msd_plot (seismo-toolkit) %s\n", SEISMO_VERSION);
      return 0;
    case viewer::ParsedArguments::UsageError:
      std::fprintf(stderr, "msd_plot: %s\nTry 'msd_plot --help' for more information.\n",
                   Parsed.Problem.c_str());
      return 2;
    case viewer::ParsedArguments::Run: break;
  }
  return viewer::Run(Parsed.Chosen);
}
