// evformat_probe: tells a header-only listing of Nordic events (every line a
// main header line) from a full event file, by the first 50 lines of the file
// open on the caller's unit, then rewinds the unit.
#include <cstdint>

#include "fortran_io/fixed_text.h"
#include "fortran_io/unit_io.h"
#include "refile_event/nordic_lines.h"

namespace {

using nordic::at_column;
using nordic::kLineLength;
constexpr int kLinesProbed = 50;
// Column 22 of a main header holds the distance indicator, columns 1-30 its
// date and time.
constexpr size_t kIndicatorColumn = 22;
constexpr size_t kTimeColumns = 30;

// The three tests of a main header line; false when any fails.
bool looks_like_main_header(const char* line) {
  const char indicator = at_column(line, kIndicatorColumn);
  if (indicator != 'L' && indicator != 'R' && indicator != 'D' && indicator != ' ') return false;
  if (fixed_text::all_blank(line, kTimeColumns)) return false;
  if (at_column(line, nordic::kTypeColumn) == ' ' && !fixed_text::all_blank(line, kLineLength))
    return false;
  return true;
}

}  // namespace

extern "C" void evformat_probe_(const int32_t* unit, int32_t* file_type) {
  *file_type = 1;
  char line[kLineLength];
  for (int n = 0; n < kLinesProbed; ++n) {
    if (!unitio::read_record(*unit, line, kLineLength)) break;
    if (!looks_like_main_header(line)) *file_type = 0;
  }
  unitio::rewind(*unit);
}
