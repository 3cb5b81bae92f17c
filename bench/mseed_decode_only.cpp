// The like-for-like side of the msd_plot benchmark: the same miniSEED files
// read and every record's samples decoded by libmseed alone (ms_readmsr_r,
// any record length and encoding), and nothing else done with them. Prints
// the records and samples decoded.
//
//   mseed_decode_only file.msd...
#include <libmseed.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mseed_decode_only file.msd...\n");
    return 2;
  }
  long long Records = 0, Samples = 0;
  for (int I = 1; I < argc; ++I) {
    MSFileParam* File = nullptr;
    MSRecord* Record = nullptr;
    int Status;
    while ((Status = ms_readmsr_r(&File, &Record, argv[I], -1, nullptr, nullptr, 1, 1, 0)) ==
           MS_NOERROR) {
      ++Records;
      Samples += Record->numsamples;
    }
    ms_readmsr_r(&File, &Record, nullptr, 0, nullptr, nullptr, 0, 0, 0);
    if (Status != MS_ENDOFFILE) {
      std::fprintf(stderr, "mseed_decode_only: %s: %s\n", argv[I], ms_errorstr(Status));
      return 1;
    }
  }
  std::printf("%lld records, %lld samples\n", Records, Samples);
  return 0;
}
