#include "mseed_files.h"

#include <libmseed.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "msd_plot/instant.h"

namespace viewer::test {

namespace {

void WriteRecord(char* Record, int Length, void* Out) {
  if (std::fwrite(Record, static_cast<std::size_t>(Length), 1, static_cast<std::FILE*>(Out)) != 1)
    throw std::runtime_error("cannot write a test record");
}

template <typename Sample>
int Append(const std::string& Path, const Trace& Shape, const std::vector<Sample>& Samples,
           char Type) {
  std::FILE* Out = std::fopen(Path.c_str(), "ab");
  if (!Out) throw std::runtime_error("cannot open " + Path);
  MSRecord* Msr = msr_init(nullptr);
  std::snprintf(Msr->network, sizeof Msr->network, "%s", Shape.Network.c_str());
  std::snprintf(Msr->station, sizeof Msr->station, "%s", Shape.Station.c_str());
  std::snprintf(Msr->location, sizeof Msr->location, "%s", Shape.Location.c_str());
  std::snprintf(Msr->channel, sizeof Msr->channel, "%s", Shape.Channel.c_str());
  Msr->dataquality = 'D';
  Msr->starttime = Shape.Start;
  Msr->samprate = Shape.Rate;
  Msr->reclen = Shape.RecordLength;
  Msr->encoding = static_cast<int8_t>(Shape.Encoding);
  Msr->byteorder = 1;
  std::vector<Sample> Copy = Samples;  // msr_pack may reorder its input
  Msr->datasamples = Copy.data();
  Msr->numsamples = static_cast<int64_t>(Copy.size());
  Msr->sampletype = Type;
  int64_t Packed = 0;
  const int Records = msr_pack(Msr, WriteRecord, Out, &Packed, 1, 0);
  Msr->datasamples = nullptr;
  msr_free(&Msr);
  std::fclose(Out);
  if (Records < 0 || Packed != static_cast<int64_t>(Samples.size()))
    throw std::runtime_error("msr_pack failed for " + Path);
  return Records;
}

}  // namespace

int AppendRecords(const std::string& Path, const Trace& Shape,
                  const std::vector<int32_t>& Samples) {
  return Append(Path, Shape, Samples, 'i');
}

int AppendRecords(const std::string& Path, const Trace& Shape, const std::vector<float>& Samples) {
  return Append(Path, Shape, Samples, 'f');
}

std::vector<DecodedRecord> DecodeFile(const std::string& Path) {
  std::vector<DecodedRecord> Result;
  MSFileParam* File = nullptr;
  MSRecord* Msr = nullptr;
  while (ms_readmsr_r(&File, &Msr, Path.c_str(), -1, nullptr, nullptr, 1, 1, 0) == MS_NOERROR) {
    DecodedRecord R;
    R.Stream =
        std::string(Msr->network) + "." + Msr->station + "." + Msr->location + "." + Msr->channel;
    R.Start = Msr->starttime;
    R.Rate = Msr->samprate;
    for (int64_t I = 0; I < Msr->numsamples; ++I) {
      switch (Msr->sampletype) {
        case 'i': R.Samples.push_back(static_cast<int32_t*>(Msr->datasamples)[I]); break;
        case 'f': R.Samples.push_back(static_cast<float*>(Msr->datasamples)[I]); break;
        case 'd': R.Samples.push_back(static_cast<double*>(Msr->datasamples)[I]); break;
        default: break;
      }
    }
    Result.push_back(std::move(R));
  }
  ms_readmsr_r(&File, &Msr, nullptr, 0, nullptr, nullptr, 0, 0, 0);
  return Result;
}

Instant At(int Year, int Month, int Day, int Hour, int Minute, int Second, int Micros) {
  return ((DaysFromCivil(Year, Month, Day) * 24 + Hour) * 60 + Minute) * 60 * kMicrosPerSecond +
         Second * kMicrosPerSecond + Micros;
}

drumlin::test::ProgramRun RunMsdPlot(const std::vector<std::string>& Arguments,
                                     const std::string& WorkDir) {
  std::string Command = drumlin::test::ShellQuoted(MSD_PLOT_PROGRAM);
  for (const std::string& A : Arguments) Command += " " + drumlin::test::ShellQuoted(A);
  return drumlin::test::RunShell(Command, WorkDir);
}

Pixels ReadPng(const std::string& Path) {
  Pixels Result;
  png_image Image;
  std::memset(&Image, 0, sizeof Image);
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Image, Path.c_str())) return Result;
  Image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> Rgb(PNG_IMAGE_SIZE(Image));
  if (!png_image_finish_read(&Image, nullptr, Rgb.data(), 0, nullptr)) {
    png_image_free(&Image);
    return Result;
  }
  Result.Width = static_cast<int>(Image.width);
  Result.Height = static_cast<int>(Image.height);
  Result.Rgb = std::move(Rgb);
  return Result;
}

std::vector<int32_t> Noise(std::size_t Count, int32_t Size, uint32_t Seed) {
  std::vector<int32_t> Out(Count);
  uint64_t State = Seed;
  for (int32_t& V : Out) {
    State = State * 6364136223846793005u + 1442695040888963407u;
    V = static_cast<int32_t>((State >> 33) % static_cast<uint64_t>(2 * Size + 1)) - Size;
  }
  return Out;
}

}  // namespace viewer::test
