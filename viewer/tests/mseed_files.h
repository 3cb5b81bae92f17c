// Test support for msd_plot: miniSEED files of known content written by
// libmseed's own packer (any record length and encoding, not only the
// converter's records), read back sample by sample by libmseed, the program
// run, and PNG pictures decoded by libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "msd_plot/instant.h"
#include "testsupport/program_run.h"

namespace viewer::test {

// The bundled example's converted output, as the converter's golden file.
inline const std::string kExampleMsd = std::string(EXAMPLES_DIR) + "/DM01_20240501_streams.msd";

struct Trace {
  std::string Network = "XX", Station = "TEST", Location = "", Channel = "HHZ";
  Instant Start = 0;
  double Rate = 100;
  int RecordLength = 512;
  int Encoding = 11;  // DE_STEIM2; 10 Steim-1, 3 INT32, 4 FLOAT32, 1 INT16
};

// Appends records holding Samples to the file (created when missing);
// returns the records written.
int AppendRecords(const std::string& Path, const Trace& Shape, const std::vector<int32_t>& Samples);
int AppendRecords(const std::string& Path, const Trace& Shape, const std::vector<float>& Samples);

// A record's samples as libmseed decodes them.
struct DecodedRecord {
  std::string Stream;  // NET.STA.LOC.CHA
  Instant Start = 0;
  double Rate = 0;
  std::vector<double> Samples;
};
std::vector<DecodedRecord> DecodeFile(const std::string& Path);

// Instant of a UTC date and time, the fraction in microseconds.
Instant At(int Year, int Month, int Day, int Hour = 0, int Minute = 0, int Second = 0,
           int Micros = 0);

// msd_plot run by the shell in WorkDir with Arguments (each quoted).
drumlin::test::ProgramRun RunMsdPlot(const std::vector<std::string>& Arguments,
                                     const std::string& WorkDir);

// A picture decoded into 8-bit RGB rows.
struct Pixels {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;  // Width * Height * 3
  bool Same(int X, int Y, uint8_t R, uint8_t G, uint8_t B) const {
    const std::size_t I = (static_cast<std::size_t>(Y) * static_cast<std::size_t>(Width) +
                           static_cast<std::size_t>(X)) *
                          3;
    return Rgb[I] == R && Rgb[I + 1] == G && Rgb[I + 2] == B;
  }
};
// Empty (Width 0) when the file is no PNG libpng reads.
Pixels ReadPng(const std::string& Path);

// Random-looking but fixed samples: quiet noise of about +-Size counts.
std::vector<int32_t> Noise(std::size_t Count, int32_t Size, uint32_t Seed);

}  // namespace viewer::test
