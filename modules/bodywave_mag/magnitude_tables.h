// The two common areas that carry the mbn magnitude parameters between the
// parameter-file reader, the lookups and the calling programs, which declare
// the same areas in Fortran:
//
//   common /mbn1/ source_name(20), station_code(99)       (character*80, *5)
//   common /mbn2/ scale_mbpn(3), scale_mbsn(3), scale_mbsnhf(3),
//                 gvel_pn(2), gvel_sn(2), station_corr(99,2),
//                 source_box(20,4), source_corr(20,2),
//                 station_count, source_count, <808 more bytes>
//
// Fortran arrays are stored first index fastest, so station_corr(n, k) is
// station_corr[k - 1][n - 1] here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mbn {

constexpr int32_t kMaxStations = 99;
constexpr int32_t kMaxSources = 20;
constexpr size_t kSourceNameLength = 80;
constexpr size_t kStationCodeLength = 5;
constexpr int32_t kPhasePn = 1;
constexpr int32_t kPhaseSn = 2;
// Marks a magnitude or a source correction that could not be found.
constexpr float kMissing = -999.0f;

struct NameArea {
  char source_name[kMaxSources][kSourceNameLength];
  char station_code[kMaxStations][kStationCodeLength];
};

struct ParameterArea {
  float scale_mbpn[3];                  // a, b, c of the Pn scale
  float scale_mbsn[3];                  // a, b, c of the Sn scale
  float scale_mbsnhf[3];                // a, b, c of the high-frequency Sn scale
  float gvel_pn[2];                     // group-velocity window of Pn: low, high
  float gvel_sn[2];                     // group-velocity window of Sn: low, high
  float station_corr[2][kMaxStations];  // [phase - 1][entry - 1]
  float source_box[4][kMaxSources];     // [bound - 1][region - 1]
  float source_corr[2][kMaxSources];    // [phase - 1][region - 1]
  int32_t station_count;
  int32_t source_count;
  // Belongs to the area in the calling programs; never touched here.
  unsigned char reserved[808];
};

static_assert(sizeof(NameArea) == 2095);
static_assert(offsetof(NameArea, station_code) == 1600);
static_assert(sizeof(ParameterArea) == 2140);
static_assert(offsetof(ParameterArea, scale_mbsn) == 12);
static_assert(offsetof(ParameterArea, scale_mbsnhf) == 24);
static_assert(offsetof(ParameterArea, gvel_pn) == 36);
static_assert(offsetof(ParameterArea, gvel_sn) == 44);
static_assert(offsetof(ParameterArea, station_corr) == 52);
static_assert(offsetof(ParameterArea, source_box) == 844);
static_assert(offsetof(ParameterArea, source_corr) == 1164);
static_assert(offsetof(ParameterArea, station_count) == 1324);
static_assert(offsetof(ParameterArea, source_count) == 1328);
static_assert(offsetof(ParameterArea, reserved) == 1332);

// Number of table entries that may be read: the count in the area, kept
// within the table whatever a caller stored there.
inline int32_t usable_count(int32_t count, int32_t capacity) {
  if (count < 0) return 0;
  return count < capacity ? count : capacity;
}

}  // namespace mbn

extern "C" {
extern mbn::NameArea mbn1_;
extern mbn::ParameterArea mbn2_;
}
