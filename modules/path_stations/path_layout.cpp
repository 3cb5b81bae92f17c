#include "path_layout.h"

#include "fortran_io/unit_io.h"

namespace path_stations {

namespace {

void write_text(int32_t unit, const char* text) {
  unitio::write_record(unit, text, unitio::literal_length(text));
}

// One record of reals written with a format whose fields fill `width`
// characters in all.
template <size_t width>
void write_reals(int32_t unit, const char* format, const float* values, int32_t count) {
  char line[width];
  unitio::write_reals(line, width, format, values, count);
  unitio::write_record(unit, line, width);
}

void write_point_pair_layout(int32_t unit, const PathEnds& p) {
  const float values[4] = {p.epicentre_lat, p.epicentre_lon, p.station_lat, p.station_lon};
  write_text(unit, "   2");
  write_reals<32>(unit, "(4f8.3)", values, 4);
}

void write_segment_layout(int32_t unit, const PathEnds& p) {
  const float epicentre[2] = {p.epicentre_lon, p.epicentre_lat};
  const float station[2] = {p.station_lon, p.station_lat};
  write_text(unit, ">>");
  write_reals<20>(unit, "(2f10.3)", epicentre, 2);
  write_reals<20>(unit, "(2f10.3)", station, 2);
}

}  // namespace

void write_path(int32_t unit, int32_t layout, const PathEnds& path) {
  if (layout == 1) write_point_pair_layout(unit, path);
  if (layout == 2) write_segment_layout(unit, path);
}

}  // namespace path_stations
