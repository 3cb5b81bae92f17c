// Reads a miniSEED file back with libmseed, independently of the converter's
// own record code: every 4096-byte record is parsed and its samples decoded.
// Every use of libmseed in the converter's tests and tools goes through here
// (msd_plot, in viewer/, reads miniSEED of any kind on its own).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drumlin::test {

struct DecodedRecord {
  std::string Network, Station, Location, Channel;
  int64_t StartHpTime = 0;  // microseconds since 1970-01-01
  double SampleRate = 0;
  int64_t SampleCount = 0;
  int Encoding = 0;
  bool Steim1 = false;  // libmseed names the encoding Steim-1
  int RecordLength = 0;
  bool HasBlockette1000 = false;
  std::vector<int32_t> Samples;
  // Steim-1 frame 0, words 1 and 2, read from the raw record.
  int32_t X0 = 0;
  int32_t Xn = 0;
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

// libmseed's own instant of a year, day of year and time of day.
int64_t HpTimeOf(int Year, int DayOfYear, int Hour, int Minute, int Second, int Usec);

// An instant of the reader (microseconds since 1970-01-01) as ISO text with
// its fraction, "2024-05-01T12:00:00.000000".
std::string HpTimeText(int64_t HpTime);

}  // namespace drumlin::test
