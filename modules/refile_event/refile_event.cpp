// refile_event: stores one event of the Nordic format again in the event
// database (or the working directory) under the name and ID that its origin
// time gives. The event is read from the file open on the caller's unit, that
// file is deleted, and the event is written to a new file opened through the
// package's file routines; on a name collision the package gives the next ID.
#include <cstdint>

#include "event_file_name.h"
#include "event_lines.h"
#include "fortran_io/fixed_text.h"
#include "fortran_io/unit_io.h"
#include "nordic_lines.h"
#include "package_areas.h"
#include "package_routines.h"

namespace {

using nordic::at_column;
constexpr size_t kLine = nordic::kLineLength;
constexpr size_t kTopLength = 40;
constexpr size_t kBaseLength = 5;
// A main header without century digits (century 0) dates from the 1900s.
constexpr int32_t kDefaultCentury = 19;
// Start of the search for the earliest phase: later than any phase time.
constexpr double kNoPhaseYet = 1.0e21;

// Working values of one call, kept in static storage as the package expects
// of its routines (not reentrant).
struct Work {
  char top_directory[kTopLength];
  size_t top_length;
  char dchar;
  int32_t nstat, nphase, nhead, nrecord;
  char evtype, exp;
  int32_t id;
  int32_t century, year, month, day, hr, min;
  float sec;
  int32_t isec;
  double min_time;
  char base[kBaseLength];
  bool working_directory;
  char outfl[event_file_name::kNameLength];
  int32_t nf;
  char chr_file[event_file_name::kNameLength];
  char header[kLine];
  char idline[kLine];
  char old_id_line[kLine];
  char line[kLine];
  int32_t write01;
  int32_t b_old;
  int32_t code;
  int32_t open_status;
  int32_t b_eof;
};

Work w;

void check_write(int32_t status) {
  keldacode_(&package_files::kCheckWrite, &status, &w.write01, &w.b_eof);
}

int32_t write_line(const char* line) { return unitio::write_record_status(w.write01, line, kLine); }

// The header's date and time; century 0 stands for 19.
void read_event_time(const EventLines& data) {
  data.copy_out(1, w.header);
  const nordic::HeaderTime t = nordic::read_header_time(w.header);
  w.century = t.century == 0 ? kDefaultCentury : t.century;
  w.year = w.century * 100 + t.year;
  w.month = t.month;
  w.day = t.day;
  w.hr = t.hour;
  w.min = t.minute;
  w.sec = t.seconds;
}

// Without hour and minute the origin time is the earliest phase arrival on
// the header's date; columns 1-20 of the header are rewritten from it.
void origin_from_earliest_phase(const EventLines& data, bool new_layout) {
  w.min_time = kNoPhaseYet;
  for (int32_t i = w.nhead + 1; i <= w.nrecord - 1; ++i) {
    data.copy_out(i, w.line);
    const nordic::PhaseTime p = nordic::read_phase_time(w.line, new_layout);
    double time = 0.0;
    timsec_(&w.year, &w.month, &w.day, &p.hour, &p.minute, &p.seconds, &time);
    if (time < w.min_time) w.min_time = time;
  }
  int32_t day_of_year = 0;
  sectim_(&w.min_time, &w.year, &day_of_year, &w.month, &w.day, &w.hr, &w.min, &w.sec);
  nordic::write_header_time(w.header, w.year, w.month, w.day, w.hr, w.min, w.sec);
  at_column(w.header, nordic::kTypeColumn) = nordic::kMainHeaderType;
  data.store(1, w.header);
}

// Blanks in positions 2-5 of the database name become "_", in the caller's
// text as far as it reaches.
void normalise_base_name(char* base_name, size_t base_len) {
  fixed_text::assign(w.base, kBaseLength, base_name, base_len);
  for (size_t i = 1; i < kBaseLength; ++i) {
    if (w.base[i] != ' ') continue;
    w.base[i] = '_';
    if (i < base_len) base_name[i] = '_';
  }
  w.working_directory = w.base[0] == ',' && w.base[1] == ',';
}

void build_name() {
  const event_file_name::EventStamp stamp{w.year, w.month, w.day, w.hr, w.min, w.isec, w.evtype};
  if (w.working_directory)
    w.nf = event_file_name::write_working_name(w.outfl, stamp);
  else
    w.nf = event_file_name::write_database_name(w.outfl, w.dchar, w.base, stamp);
}

void build_id_line(const EventLines& data, const char* action, size_t action_len,
                   const char* action_time, size_t action_time_len, const char* operator_id,
                   size_t operator_len) {
  fixed_text::blank(w.old_id_line, kLine);
  if (w.id != 0) {
    data.copy_out(w.id, w.idline);
    nordic::make_oldact_comment(w.old_id_line, w.idline);
  } else {
    nordic::start_id_line(w.idline);
  }
  nordic::set_id_action(w.idline, action, action_len, action_time, action_time_len, operator_id,
                        operator_len);
  nordic::write_id(w.idline, w.year, w.month, w.day, w.hr, w.min, w.isec);
}

// Opens the new file, asking the package for the next ID while a file of
// that name exists already. The name tried last goes to new_file.
void open_new_file(char* new_file, size_t new_file_len) {
  for (;;) {
    const char* name = w.outfl;
    if (!w.working_directory) {
      event_file_name::write_full_name(w.chr_file, w.top_directory, w.top_length, w.dchar, w.outfl);
      name = w.chr_file;
    }
    keldaopen_(&package_files::kOpenForWriting, package_files::kOpenMessage, name, &w.write01,
               &w.b_old, &w.open_status, package_files::kOpenMessageLength,
               event_file_name::kNameLength);
    fixed_text::assign(new_file, new_file_len, name, event_file_name::kNameLength);
    if (w.b_old == 0) return;
    unitio::list_text(unitio::kStandardOutput, " Creating a new id for event");
    inc_id_(w.idline, w.outfl, &w.nf, kLine, event_file_name::kNameLength);
    keldaclose_(&package_files::kCloseUnit, &w.write01, &w.open_status);
  }
}

void write_new_file(const EventLines& data, bool new_nordic) {
  w.code = write_line(w.header);
  check_write(w.code);

  at_column(w.idline, nordic::kIdRewriteColumn) = nordic::kIdRewriteMark;
  if (w.id == 0) {
    w.code = write_line(w.idline);
    check_write(w.code);
  } else {
    data.store(w.id, w.idline);
  }

  if (w.nhead > 1) {
    for (int32_t i = 2; i <= w.nhead; ++i) {
      data.copy_out(i, w.line);
      if (at_column(w.line, nordic::kTypeColumn) != nordic::kPhaseHeaderType)
        w.code = write_line(w.line);
    }
    if (!fixed_text::all_blank(w.old_id_line, kLine))
      unitio::write_record(w.write01, w.old_id_line, kLine);
  }
  check_write(w.code);

  w.code = write_line(nordic::phase_header(new_nordic));
  check_write(w.code);

  // Phase lines and the closing line as one write: the first failing record
  // ends it. An empty list still writes one empty record.
  if (w.nrecord < w.nhead + 1) {
    w.code = unitio::write_record_status(w.write01, w.line, 0);
  } else {
    for (int32_t i = w.nhead + 1; i <= w.nrecord; ++i) {
      data.copy_out(i, w.line);
      w.code = write_line(w.line);
      if (w.code != 0) break;
    }
  }
  check_write(w.code);

  keldaclose_(&package_files::kCloseUnit, &w.write01, &w.open_status);
}

}  // namespace

extern "C" void refile_event_(const int32_t* unit, char* new_file, char* base_name,
                              const char* action_time, const char* operator_id, char* data,
                              const char* action, int32_t new_file_len, int32_t base_name_len,
                              int32_t action_time_len, int32_t operator_len, int32_t data_len,
                              int32_t action_len) {
  topdir_(w.top_directory, kTopLength);
  w.top_length = event_file_name::top_directory_length(w.top_directory, kTopLength);
  dir_char_(&w.dchar, 1);
  fil_com_area[1] = 0;

  const EventLines lines(data, fixed_text::length(data_len));
  unitio::rewind(*unit);
  w.nrecord = 0;
  w.id = 0;
  indata_(unit, &w.nstat, &w.nphase, &w.nhead, &w.nrecord, &w.evtype, &w.exp, data, &w.id, 1, 1,
          lines.element_length());
  if (w.nrecord <= 0) return;
  // An ID line index outside the event would address lines that are not there.
  if (w.id < 0 || w.id > w.nrecord) w.id = 0;

  read_event_time(lines);
  if (nordic::header_hour_minute_blank(w.header) && w.nrecord - 1 > w.nhead)
    origin_from_earliest_phase(lines, rea_new_format_[0] != 0);
  w.isec = static_cast<int32_t>(w.sec);

  normalise_base_name(base_name, fixed_text::length(base_name_len));
  build_name();
  build_id_line(lines, action, fixed_text::length(action_len), action_time,
                fixed_text::length(action_time_len), operator_id, fixed_text::length(operator_len));

  unitio::close_delete(*unit);
  open_new_file(new_file, fixed_text::length(new_file_len));
  write_new_file(lines, new_nordic_[0] != 0);
}
