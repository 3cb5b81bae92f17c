// Layouts of the Nordic event lines that the rewriting reads and writes. Every
// line is exactly 80 characters, blank-padded, with its type in column 80.
// Numeric fields go through the Fortran runtime's formatted conversions, so
// blanks, implied decimals and bad fields behave as in the calling programs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fortran_io/unit_io.h"

namespace nordic {

using unitio::kLineLength;

// Column 80 holds the line type.
constexpr size_t kTypeColumn = 80;
constexpr char kMainHeaderType = '1';
constexpr char kCommentType = '3';
constexpr char kPhaseHeaderType = '7';
constexpr char kIdLineType = 'I';

// Column 76 of an ID line is "S" after every rewrite.
constexpr size_t kIdRewriteColumn = 76;
constexpr char kIdRewriteMark = 'S';

// The character in a column (from 1) of a line.
inline char& at_column(char* line, size_t col) { return line[col - 1]; }
inline char at_column(const char* line, size_t col) { return line[col - 1]; }

// Date and time fields of a main header line, as read (century not yet
// applied: the year is the two digits of columns 4-5).
struct HeaderTime {
  int32_t century;
  int32_t year;
  int32_t month;
  int32_t day;
  int32_t hour;
  int32_t minute;
  float seconds;
};

// Arrival time of a phase line.
struct PhaseTime {
  int32_t hour;
  int32_t minute;
  float seconds;
};

// Reads columns 2-20 of a main header line; a bad field stops the program.
HeaderTime read_header_time(const char* line);

// True when hour and minute (columns 12-15) are all blank.
bool header_hour_minute_blank(const char* line);

// Writes columns 1-20 of a main header line from a four-digit year; two-digit
// fields are blank-padded on the left.
void write_header_time(char* line, int32_t year, int32_t month, int32_t day, int32_t hour,
                       int32_t minute, float seconds);

// Reads the arrival time of a phase line in the new or the old layout.
PhaseTime read_phase_time(const char* line, bool new_layout);

// Fills line with the pattern of a new ID line.
void start_id_line(char* line);

// Sets action, action time and operator of an ID line; each text is taken as
// blank-padded to its field (3, 14 and 3 characters) and cut to it.
void set_id_action(char* line, const char* action, size_t action_len, const char* action_time,
                   size_t action_time_len, const char* operator_id, size_t operator_len);

// Writes the ID (columns 61-74, zero-filled) and leaves column 75 blank.
void write_id(char* line, int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t whole_seconds);

// Turns a previous ID line into the comment line " OLDACT:...", type "3".
void make_oldact_comment(char* comment, const char* id_line);

// The phase header line (type 7) of the new or the old layout, 80 characters.
const char* phase_header(bool new_layout);

// Replaces every blank among text[0..len) by c.
void replace_blanks(char* text, size_t len, char c);

}  // namespace nordic
