// A record as the archive orders it within its day file: where it starts and
// ends within its day, and which of two records that start at the same
// instant the archive keeps.
#pragma once

#include <cstdint>
#include <string>

#include "records/record_header.h"

namespace drumlin {

// Time within a day in the header's unit, 0.0001 s.
inline constexpr int64_t kTicksPerSecond = 10000;

struct RecordPlace {
  const uint8_t* Bytes = nullptr;  // the whole record, kRecordLength bytes
  int64_t Start = 0;               // after the start of its day
  int64_t End = 0;                 // Start plus the duration of its samples
  int64_t HalfSample = 0;          // half a sample interval: what an overlap must exceed
  uint16_t Samples = 0;
};

RecordPlace PlaceOf(const RecordHeader& Header, const uint8_t* Bytes);

// Of two records that start at the same instant, whether A is kept rather
// than B: the one with more samples (a recording converted again once its
// digitiser had written more), and of two with as many, the one whose bytes
// sort first, so that the outcome never depends on which came first.
bool Outranks(const RecordPlace& A, const RecordPlace& B);

// Whether Later, which starts after Earlier, begins before Earlier ends, by
// more than half a sample.
bool Overlaps(const RecordPlace& Earlier, const RecordPlace& Later);

// "hh:mm:ss.ffff" of a time within a day.
std::string TimeOfDayText(int64_t Ticks);

}  // namespace drumlin
