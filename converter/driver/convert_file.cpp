// Conversion of one YCF file into one miniSEED file: the checks on its
// output name, then the block loop into the new file.
#include "driver/convert_file.h"

#include <iostream>

#include "driver/block_loop.h"
#include "driver/input_file.h"
#include "records/seed_file.h"

namespace drumlin {

void ConvertFile(const std::string& InputName, OutputNames& Outputs) {
  InputFile Input(InputName);
  if (!Input.IsOpen()) {
    std::cout << "ERROR: unable to open file " << InputName << '\n';
    return;
  }
  const std::string OutputName = Outputs.For(InputName);
  if (Input.IsSameFileAs(OutputName)) {
    std::cout << "ERROR: output file " << OutputName << " is the input file " << InputName
              << " - skipping\n";
    return;
  }
  if (const auto Earlier = Outputs.Claim(OutputName, InputName)) {
    std::cout << "ERROR: " << InputName << " and " << *Earlier << " both convert to " << OutputName
              << " - skipping " << InputName << '\n';
    return;
  }
  TSEEDFile Output(OutputName);
  Output.CollectRecords(true);  // fewer, larger writes; drained before every message
  ConvertBlocks(InputName, Input, Output, Output, RunSwitches::FromCommandLine());
  Output.Finish();
}

}  // namespace drumlin
