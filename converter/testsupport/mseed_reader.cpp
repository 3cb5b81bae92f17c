#include "testsupport/mseed_reader.h"

#include <libmseed.h>

#include <fstream>
#include <iterator>

#include "blocks/byte_order.h"
#include "records/record_header.h"

namespace drumlin::test {

namespace {

constexpr int kLength = static_cast<int>(kRecordLength);
// Days from 1899-12-30 to 1970-01-01.
constexpr int64_t kDaysTo1970 = 25569;

}  // namespace

int64_t UsTimeToHpTime(int64_t UsTime) { return UsTime - kDaysTo1970 * 86400LL * 1000000LL; }

int64_t HpTimeOf(int Year, int DayOfYear, int Hour, int Minute, int Second, int Usec) {
  return ms_time2hptime(Year, DayOfYear, Hour, Minute, Second, Usec);
}

std::string HpTimeText(int64_t HpTime) {
  char Text[40];
  ms_hptime2isotimestr(HpTime, Text, 1);
  return Text;
}

DecodedFile ReadMseedFile(const std::string& Path) {
  DecodedFile Result;
  std::ifstream In(Path, std::ios::binary);
  if (!In) {
    Result.Problem = "cannot open " + Path;
    return Result;
  }
  const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  if (Bytes.size() % kLength != 0) {
    Result.Problem = "length " + std::to_string(Bytes.size()) + " is not a multiple of 4096";
    return Result;
  }
  for (std::size_t At = 0; At < Bytes.size(); At += kLength) {
    std::string Record = Bytes.substr(At, kLength);
    MSRecord* Msr = nullptr;
    const int Status = msr_parse(Record.data(), kLength, &Msr, kLength, 1, 0);
    if (Status != MS_NOERROR || !Msr) {
      Result.Problem =
          "record at byte " + std::to_string(At) + " does not parse: " + std::to_string(Status);
      msr_free(&Msr);
      return Result;
    }
    DecodedRecord D;
    D.Network = Msr->network;
    D.Station = Msr->station;
    D.Location = Msr->location;
    D.Channel = Msr->channel;
    D.StartHpTime = Msr->starttime;
    D.SampleRate = Msr->samprate;
    D.SampleCount = Msr->samplecnt;
    D.Encoding = Msr->encoding;
    D.Steim1 = Msr->encoding == DE_STEIM1;
    D.RecordLength = Msr->reclen;
    D.HasBlockette1000 = Msr->Blkt1000 != nullptr;
    if (Msr->sampletype == 'i' && Msr->datasamples)
      D.Samples.assign(static_cast<int32_t*>(Msr->datasamples),
                       static_cast<int32_t*>(Msr->datasamples) + Msr->numsamples);
    const auto* Frame0 = reinterpret_cast<const uint8_t*>(Record.data()) + kRecordHeaderLength;
    D.X0 = static_cast<int32_t>(LoadBe32(Frame0 + 4));
    D.Xn = static_cast<int32_t>(LoadBe32(Frame0 + 8));
    msr_free(&Msr);
    Result.Records.push_back(std::move(D));
  }
  Result.Ok = true;
  return Result;
}

}  // namespace drumlin::test
