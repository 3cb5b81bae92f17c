#include "end_to_end/mseed_reader.h"

#include <libmseed.h>
#include <fstream>
#include <iterator>

namespace drumlin {

namespace {

constexpr int kRecordLength = 4096;
// Days from 1899-12-30 to 1970-01-01.
constexpr int64_t kDaysTo1970 = 25569;

int32_t BigEndian32(const std::string& Bytes, std::size_t At) {
  const auto Byte = [&](std::size_t I) {
    return static_cast<uint32_t>(static_cast<uint8_t>(Bytes[At + I]));
  };
  return static_cast<int32_t>(Byte(0) << 24 | Byte(1) << 16 | Byte(2) << 8 | Byte(3));
}

}  // namespace

int64_t UsTimeToHpTime(int64_t UsTime) { return UsTime - kDaysTo1970 * 86400LL * 1000000LL; }

DecodedFile ReadMseedFile(const std::string& Path) {
  DecodedFile Result;
  std::ifstream In(Path, std::ios::binary);
  if (!In) {
    Result.Problem = "cannot open " + Path;
    return Result;
  }
  const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  if (Bytes.size() % kRecordLength != 0) {
    Result.Problem = "length " + std::to_string(Bytes.size()) + " is not a multiple of 4096";
    return Result;
  }
  for (std::size_t At = 0; At < Bytes.size(); At += kRecordLength) {
    std::string Record = Bytes.substr(At, kRecordLength);
    MSRecord* Msr = nullptr;
    const int Status = msr_parse(Record.data(), kRecordLength, &Msr, kRecordLength, 1, 0);
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
    D.RecordLength = Msr->reclen;
    D.HasBlockette1000 = Msr->Blkt1000 != nullptr;
    if (Msr->sampletype == 'i' && Msr->datasamples)
      D.Samples.assign(static_cast<int32_t*>(Msr->datasamples),
                       static_cast<int32_t*>(Msr->datasamples) + Msr->numsamples);
    D.X0 = BigEndian32(Record, 64 + 4);
    D.Xn = BigEndian32(Record, 64 + 8);
    D.RawHeader = Record.substr(0, 64);
    msr_free(&Msr);
    Result.Records.push_back(std::move(D));
  }
  Result.Ok = true;
  return Result;
}

}  // namespace drumlin
