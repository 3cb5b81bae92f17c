// The package's event reading area, as far as the path listing reads it.
// The common areas belong to the calling programs (the package's event
// reading routine fills them); the module only declares them and reads
// members at their byte offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" {
extern unsigned char rea4_[];  // counts of the event's lines and readings
extern char rea2_[];           // two-character fields of the phase readings
extern char rea8_[];           // phase names
extern char rea5_[];           // station codes
extern unsigned char hyp4_[];  // hypocentre solutions
}

namespace path_stations::event_reading {

constexpr size_t kPhaseCountOffset = 560004;  // in rea4
constexpr size_t kWeightOffset = 20000;       // first weight in rea2
constexpr size_t kEpicentreLatOffset = 2400;  // in hyp4
constexpr size_t kEpicentreLonOffset = 2800;  // in hyp4

constexpr size_t kWeightLength = 2;
constexpr size_t kPhaseNameLength = 8;
constexpr size_t kStationLength = 5;

// An epicentre latitude of -900 or less marks an event without epicentre.
constexpr float kNoEpicentreLatitude = -900.0f;

inline int32_t phase_count() {
  int32_t n;
  std::memcpy(&n, rea4_ + kPhaseCountOffset, sizeof n);
  return n;
}

// Phase readings are numbered from 1, as in the calling programs.
inline const char* weight_text(int32_t phase) {
  return rea2_ + kWeightOffset + kWeightLength * static_cast<size_t>(phase - 1);
}

inline const char* phase_name(int32_t phase) {
  return rea8_ + kPhaseNameLength * static_cast<size_t>(phase - 1);
}

inline const char* station_code(int32_t phase) {
  return rea5_ + kStationLength * static_cast<size_t>(phase - 1);
}

inline float epicentre_latitude() {
  float v;
  std::memcpy(&v, hyp4_ + kEpicentreLatOffset, sizeof v);
  return v;
}

inline float epicentre_longitude() {
  float v;
  std::memcpy(&v, hyp4_ + kEpicentreLonOffset, sizeof v);
  return v;
}

inline bool has_epicentre() { return epicentre_latitude() > kNoEpicentreLatitude; }

}  // namespace path_stations::event_reading
