// Reads a miniSEED file back with libmseed, independently of the converter's
// own record code: every 4096-byte record is parsed and its samples decoded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drumlin {

struct DecodedRecord {
  std::string Network, Station, Location, Channel;
  int64_t StartHpTime = 0;  // microseconds since 1970-01-01
  double SampleRate = 0;
  int64_t SampleCount = 0;
  int Encoding = 0;
  int RecordLength = 0;
  bool HasBlockette1000 = false;
  std::vector<int32_t> Samples;
  // Steim-1 frame 0, words 1 and 2, read from the raw record.
  int32_t X0 = 0;
  int32_t Xn = 0;
  std::string RawHeader;  // bytes 0 to 63 as written
};

struct DecodedFile {
  bool Ok = false;      // every byte of the file was parsed as records
  std::string Problem;  // why not, when Ok is false
  std::vector<DecodedRecord> Records;
};

// Parses the file as consecutive 4096-byte records.
DecodedFile ReadMseedFile(const std::string& Path);

// Microseconds since 1970-01-01 of a converter time value (microseconds
// since 1899-12-30).
int64_t UsTimeToHpTime(int64_t UsTime);

}  // namespace drumlin
