// Conversion of one YCF input file into one miniSEED output file.
#pragma once

#include <string>

namespace drumlin {

// Converts the file InputName (a path as the batch loop builds it). Problems
// with the input are reported on standard output and skipped; errors of the
// output file propagate as exceptions.
void ConvertFile(const std::string& InputName);

}  // namespace drumlin
