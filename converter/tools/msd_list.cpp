// Lists the records of miniSEED files, one line each: stream, start time of
// the first sample, number of samples and sample rate, read with libmseed.
#include <cstdio>

#include "testsupport/mseed_reader.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: msd_list file.msd...\n");
    return 2;
  }
  int Status = 0;
  for (int I = 1; I < argc; ++I) {
    const drumlin::test::DecodedFile File = drumlin::test::ReadMseedFile(argv[I]);
    std::printf("%s\n", argv[I]);
    if (!File.Ok) {
      std::printf("  unreadable: %s\n", File.Problem.c_str());
      Status = 1;
      continue;
    }
    std::printf("  %-4s %-15s %-26s %8s %8s  %s\n", "rec", "net.sta.loc.cha", "start (UTC)",
                "samples", "rate", "Steim-1 X0..Xn");
    int64_t Total = 0;
    int Number = 0;
    for (const drumlin::test::DecodedRecord& R : File.Records) {
      const std::string Start = drumlin::test::HpTimeText(R.StartHpTime);
      char Stream[48];
      std::snprintf(Stream, sizeof Stream, "%s.%s.%s.%s", R.Network.c_str(), R.Station.c_str(),
                    R.Location.c_str(), R.Channel.c_str());
      const bool Intact =
          !R.Samples.empty() && R.Samples.front() == R.X0 && R.Samples.back() == R.Xn;
      std::printf("  %-4d %-15s %-26s %8lld %8g  %s\n", ++Number, Stream, Start.c_str(),
                  static_cast<long long>(R.SampleCount), R.SampleRate,
                  Intact ? "intact" : "MISMATCH");
      if (!Intact) Status = 1;
      Total += R.SampleCount;
    }
    std::printf("  %d records, %lld samples\n", Number, static_cast<long long>(Total));
  }
  return Status;
}
