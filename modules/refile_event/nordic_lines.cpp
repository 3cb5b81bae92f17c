#include "nordic_lines.h"

#include "fortran_io/fixed_text.h"
#include "fortran_io/unit_io.h"

namespace nordic {

namespace {

constexpr const char kNewPhaseHeader[] =
    " STAT COM NTLO IPHASE   W HHMM SS.SSS   PAR1  PAR2 AGA OPE  AIN  RES W  DIS CAZ7";
constexpr const char kOldPhaseHeader[] =
    " STAT SP IPHASW D HRMM SECON CODA AMPLIT PERI AZIMU VELO AIN AR TRES W  DIS CAZ7";
static_assert(sizeof(kNewPhaseHeader) == kLineLength + 1);
static_assert(sizeof(kOldPhaseHeader) == kLineLength + 1);

// Copies a literal into line at column `column` (from 1).
void put(char* line, size_t column, const char* literal) {
  for (size_t i = 0; literal[i] != '\0'; ++i) line[column - 1 + i] = literal[i];
}

}  // namespace

HeaderTime read_header_time(const char* line) {
  int32_t fields[6] = {};
  float seconds = 0.0f;
  unitio::read_values(line, kLineLength, "(1X,2I2,1X,2I2,1X,2I2,1X,F4.1)", fields, 6, &seconds, 1);
  return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], seconds};
}

bool header_hour_minute_blank(const char* line) { return fixed_text::all_blank(line + 11, 4); }

void write_header_time(char* line, int32_t year, int32_t month, int32_t day, int32_t hour,
                       int32_t minute, float seconds) {
  const int32_t fields[5] = {year, month, day, hour, minute};
  unitio::write_values(line, 20, "(1X,I4,1X,2I2,1X,2I2,1X,F4.1)", fields, 5, &seconds, 1);
}

PhaseTime read_phase_time(const char* line, bool new_layout) {
  int32_t fields[2] = {};
  float seconds = 0.0f;
  if (new_layout)
    unitio::read_values(line + 26, 11, "(2i2,f7.3)", fields, 2, &seconds, 1);
  else
    unitio::read_values(line, kLineLength, "(18X,2I2,1X,F5.1)", fields, 2, &seconds, 1);
  return {fields[0], fields[1], seconds};
}

void start_id_line(char* line) {
  fixed_text::blank(line, kLineLength);
  put(line, 1, " ACTION:");
  put(line, 28, "OP:");
  put(line, 36, "STATUS:");
  put(line, 58, "ID:");
  at_column(line, kTypeColumn) = kIdLineType;
}

void set_id_action(char* line, const char* action, size_t action_len, const char* action_time,
                   size_t action_time_len, const char* operator_id, size_t operator_len) {
  fixed_text::assign(line + 30, 3, operator_id, operator_len);
  fixed_text::assign(line + 12, 14, action_time, action_time_len);
  fixed_text::assign(line + 8, 3, action, action_len);
}

void write_id(char* line, int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t whole_seconds) {
  const int32_t fields[6] = {year, month, day, hour, minute, whole_seconds};
  const float none = 0.0f;
  unitio::write_values(line + 60, 15, "(i4,5I2)", fields, 6, &none, 0);
  replace_blanks(line + 60, 14, '0');
}

void make_oldact_comment(char* comment, const char* id_line) {
  fixed_text::assign(comment, kLineLength, id_line, kLineLength);
  put(comment, 2, "OLDACT");
  at_column(comment, kTypeColumn) = kCommentType;
}

const char* phase_header(bool new_layout) { return new_layout ? kNewPhaseHeader : kOldPhaseHeader; }

void replace_blanks(char* text, size_t len, char c) {
  for (size_t i = 0; i < len; ++i)
    if (text[i] == ' ') text[i] = c;
}

}  // namespace nordic
