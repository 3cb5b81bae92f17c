// msd_plot's work once its command line is read: find and read the files,
// print the gaps and overlaps (and the envelope when asked), draw the chart
// and put the picture in place. Returns the exit status: 0, or 1 when a
// file could not be read, nothing was left to draw or the picture could not
// be written.
#pragma once

#include "msd_plot/options.h"

namespace viewer {

int Run(const Options& Chosen);

}  // namespace viewer
