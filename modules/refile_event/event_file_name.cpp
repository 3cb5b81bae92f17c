#include "event_file_name.h"

#include "fortran_io/fixed_text.h"
#include "fortran_io/unit_io.h"
#include "nordic_lines.h"

namespace event_file_name {

namespace {

// Sequential writer of one name, field by field, as one formatted write
// would: integer fields through the runtime (asterisks when too wide).
class NameWriter {
 public:
  explicit NameWriter(char* text) : text_(text) { fixed_text::blank(text_, kNameLength); }
  void character(char c) { text_[pos_++] = c; }
  void literal(const char* s) {
    while (*s != '\0') character(*s++);
  }
  void text(const char* s, size_t n) {
    for (size_t i = 0; i < n; ++i) character(s[i]);
  }
  void integer(int32_t value, size_t width) {
    unitio::write_int(text_ + pos_, width, width == 4 ? "(I4)" : "(I2)", value);
    pos_ += width;
  }
  size_t position() const { return pos_; }

 private:
  char* text_;
  size_t pos_ = 0;
};

// "dd-hhmm-ss<t>.Syyyymm": the name of the event's file within its month,
// which is the whole name in the working directory.
void write_day_part(NameWriter& w, const EventStamp& stamp) {
  w.integer(stamp.day, 2);
  w.character('-');
  w.integer(stamp.hour, 2);
  w.integer(stamp.minute, 2);
  w.character('-');
  w.integer(stamp.whole_seconds, 2);
  w.character(stamp.event_type);
  w.literal(".S");
  w.integer(stamp.year, 4);
  w.integer(stamp.month, 2);
}

}  // namespace

int32_t write_database_name(char* outfl, char dchar, const char* base_name5,
                            const EventStamp& stamp) {
  NameWriter w(outfl);
  w.character(dchar);
  w.text(base_name5, 5);
  w.character(dchar);
  w.integer(stamp.year, 4);
  w.character(dchar);
  w.integer(stamp.month, 2);
  w.character(dchar);
  write_day_part(w, stamp);
  nordic::replace_blanks(outfl, kDatabaseNameLength, '0');
  return kDatabaseNameLength;
}

int32_t write_working_name(char* outfl, const EventStamp& stamp) {
  NameWriter w(outfl);
  write_day_part(w, stamp);
  nordic::replace_blanks(outfl, kWorkingNameLength, '0');
  return kWorkingNameLength;
}

size_t top_directory_length(const char* top_directory, size_t len) {
  for (size_t i = 0; i < len; ++i)
    if (top_directory[i] == ' ') return i;
  return len;
}

void write_full_name(char* chr_file, const char* top_directory, size_t top_len, char dchar,
                     const char* outfl) {
  char joined[kNameLength + 40 + 4];
  size_t n = 0;
  for (size_t i = 0; i < top_len; ++i) joined[n++] = top_directory[i];
  joined[n++] = dchar;
  joined[n++] = 'R';
  joined[n++] = 'E';
  joined[n++] = 'A';
  for (size_t i = 0; i < kNameLength; ++i) joined[n++] = outfl[i];
  fixed_text::assign(chr_file, kNameLength, joined, n);
}

}  // namespace event_file_name
