// Conversion of one YCF input file into one miniSEED output file.
#pragma once

#include <string>

#include "driver/output_names.h"

namespace drumlin {

// Converts the file InputName (a path as the batch loop builds it) into the
// output that Outputs names for it. Problems with the input are reported on
// standard output and skipped, and so is an input whose output is the input
// itself or the output of an earlier input of the batch; errors of the
// output file propagate as exceptions, and an older output under the name
// then stays as it was.
void ConvertFile(const std::string& InputName, OutputNames& Outputs);

}  // namespace drumlin
