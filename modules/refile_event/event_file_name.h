// Names of event files: the name below the database root, the short name in
// the working directory, and the full name below the installation's top
// directory. Names are written into 80-character blank-padded texts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace event_file_name {

constexpr size_t kNameLength = 80;
constexpr int32_t kDatabaseNameLength = 34;
constexpr int32_t kWorkingNameLength = 19;

struct EventStamp {
  int32_t year;  // four digits
  int32_t month;
  int32_t day;
  int32_t hour;
  int32_t minute;
  int32_t whole_seconds;
  char event_type;
};

// Writes "<d><base><d>yyyy<d>mm<d>dd-hhmm-ss<t>.Syyyymm" into outfl, turns
// every blank of its 34 characters into "0" and returns 34.
int32_t write_database_name(char* outfl, char dchar, const char* base_name5,
                            const EventStamp& stamp);

// Writes "dd-hhmm-ss<t>.Syyyymm" into outfl, turns every blank of its 19
// characters into "0" and returns 19.
int32_t write_working_name(char* outfl, const EventStamp& stamp);

// Used length of the top directory: the characters before its first blank;
// a directory that fills the whole text is used whole.
size_t top_directory_length(const char* top_directory, size_t len);

// top directory, separator, "REA" and outfl, cut to 80 characters.
void write_full_name(char* chr_file, const char* top_directory, size_t top_len, char dchar,
                     const char* outfl);

}  // namespace event_file_name
