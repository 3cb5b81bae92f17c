#include "archive/record_place.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace drumlin {

namespace {

// Samples per second of a rate factor and multiplier, as the headers of
// miniSEED give them; 0 for records without a rate.
double SampleRateOf(int16_t Factor, int16_t Multiplier) {
  const double F = Factor, M = Multiplier;
  if (Factor == 0 || Multiplier == 0) return 0;
  if (Factor > 0) return Multiplier > 0 ? F * M : -F / M;
  return Multiplier > 0 ? -M / F : 1 / (F * M);
}

}  // namespace

RecordPlace PlaceOf(const RecordHeader& Header, const uint8_t* Bytes) {
  RecordPlace Place;
  Place.Bytes = Bytes;
  Place.Samples = Header.SampleCount;
  Place.Start =
      ((int64_t{Header.Hour} * 60 + Header.Minute) * 60 + Header.Second) * kTicksPerSecond +
      Header.Fraction;
  const double Rate = SampleRateOf(Header.RateFactor, Header.RateMultiplier);
  if (Rate > 0) {
    Place.End = Place.Start + std::llround(Header.SampleCount * kTicksPerSecond / Rate);
    Place.HalfSample = std::llround(kTicksPerSecond / Rate / 2);
  } else {
    Place.End = Place.Start;
  }
  return Place;
}

bool Outranks(const RecordPlace& A, const RecordPlace& B) {
  if (A.Samples != B.Samples) return A.Samples > B.Samples;
  return std::memcmp(A.Bytes, B.Bytes, kRecordLength) < 0;
}

bool Overlaps(const RecordPlace& Earlier, const RecordPlace& Later) {
  return Later.Start + Earlier.HalfSample < Earlier.End;
}

std::string TimeOfDayText(int64_t Ticks) {
  const int64_t Seconds = Ticks / kTicksPerSecond;
  char Text[32];
  std::snprintf(Text, sizeof Text, "%02lld:%02lld:%02lld.%04lld",
                static_cast<long long>(Seconds / 3600), static_cast<long long>(Seconds / 60 % 60),
                static_cast<long long>(Seconds % 60),
                static_cast<long long>(Ticks % kTicksPerSecond));
  return Text;
}

}  // namespace drumlin
