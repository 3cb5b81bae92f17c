// read_mbn: fills the magnitude tables from the mbn parameter file open on
// the caller's unit, from its current position to its end. Each line is
// taken as 80 columns and matched against the keywords in a fixed order; a
// line that matches none (comment, heading, blank) is passed over. The
// number fields are read by the Fortran runtime with the line's format, so a
// field that is not a number stops the program with the runtime's message.
#include <cstdint>
#include <cstring>

#include "fortran_io/fixed_text.h"
#include "fortran_io/unit_io.h"
#include "magnitude_tables.h"

namespace {

using unitio::kLineLength;

// Column (from 1) where the number fields start on every keyword line.
constexpr size_t kValueColumn = 41;
// Columns 21-25: station code; columns 21-40: source-region name.
constexpr size_t kNameColumn = 21;
constexpr size_t kSourceNameColumns = 20;

bool starts_with(const char* line, const char* keyword) {
  return std::memcmp(line, keyword, unitio::literal_length(keyword)) == 0;
}

const char* columns_from(const char* line, size_t column) { return line + column - 1; }

// Reads n reals from the value columns with the given format.
void read_reals(const char* line, size_t width, const char* format, float* values, int32_t n) {
  int32_t no_integers[1] = {0};
  unitio::read_values(columns_from(line, kValueColumn), width, format, no_integers, 0, values, n);
}

void read_scale(const char* line, float* scale) { read_reals(line, 30, "(3f10.3)", scale, 3); }

void read_window(const char* line, float* window) { read_reals(line, 20, "(2f10.3)", window, 2); }

// One list-directed warning line: the text, then the ignored code or name.
void warn_table_full(const char* text, const char* name, size_t name_len) {
  char message[128];
  const size_t text_len = unitio::literal_length(text);
  std::memcpy(message, text, text_len);
  std::memcpy(message + text_len, name, name_len);
  const int32_t unit = unitio::kStandardOutput;
  unitio_list_text_(&unit, message, text_len + fixed_text::used_length(name, name_len));
}

void add_station(const char* line) {
  const char* code = columns_from(line, kNameColumn);
  const int32_t count = mbn2_.station_count;
  if (count < 0 || count >= mbn::kMaxStations) {
    warn_table_full(" station correction table full, line ignored for ", code,
                    mbn::kStationCodeLength);
    return;
  }
  float corr[2] = {0.0f, 0.0f};
  read_reals(line, 20, "(2f10.3)", corr, 2);
  std::memcpy(mbn1_.station_code[count], code, mbn::kStationCodeLength);
  mbn2_.station_corr[0][count] = corr[0];
  mbn2_.station_corr[1][count] = corr[1];
  mbn2_.station_count = count + 1;
}

void add_source_region(const char* line) {
  const char* name = columns_from(line, kNameColumn);
  const int32_t count = mbn2_.source_count;
  if (count < 0 || count >= mbn::kMaxSources) {
    warn_table_full(" source region table full, line ignored for ", name, kSourceNameColumns);
    return;
  }
  // Four bounds with one implied decimal, then the Pn and Sn corrections
  // with three.
  float values[6] = {};
  read_reals(line, 40, "(4(f6.1,1x),f6.3,f6.3)", values, 6);
  fixed_text::assign(mbn1_.source_name[count], mbn::kSourceNameLength, name, kSourceNameColumns);
  for (int bound = 0; bound < 4; ++bound) mbn2_.source_box[bound][count] = values[bound];
  mbn2_.source_corr[0][count] = values[4];
  mbn2_.source_corr[1][count] = values[5];
  mbn2_.source_count = count + 1;
}

// Applies one line; the first keyword that matches decides.
void apply_line(const char* line) {
  if (starts_with(line, "SCALE MBPN ")) {
    read_scale(line, mbn2_.scale_mbpn);
  } else if (starts_with(line, "SCALE MBSN ")) {
    read_scale(line, mbn2_.scale_mbsn);
  } else if (starts_with(line, "SCALE MBSNHF ")) {
    read_scale(line, mbn2_.scale_mbsnhf);
  } else if (starts_with(line, "GROUP VEL PN")) {
    read_window(line, mbn2_.gvel_pn);
  } else if (starts_with(line, "GROUP VEL SN")) {
    read_window(line, mbn2_.gvel_sn);
  } else if (starts_with(line, "STATION CORRECTION") &&
             !fixed_text::all_blank(columns_from(line, kNameColumn), mbn::kStationCodeLength)) {
    add_station(line);
  } else if (starts_with(line, "SOURCE CORRECTION") && *columns_from(line, kNameColumn) != ' ') {
    add_source_region(line);
  }
}

}  // namespace

extern "C" void read_mbn_(const int32_t* unit) {
  char line[kLineLength];
  for (;;) {
    fixed_text::blank(line, kLineLength);
    if (!unitio::read_record(*unit, line, kLineLength)) break;
    apply_line(line);
  }
}
