// Access to the calling program's Fortran units and to the Fortran runtime's
// formatted conversions, through the thin layer in unit_io.f90.
//
// Texts are fixed-length: a pointer and a length, no terminator. Statements
// documented as "no status" stop the calling program on failure with the
// runtime's own message, exactly as the same statement in a Fortran program.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {
// Hidden text lengths are passed as size_t, as gfortran 8 and later expect.
void unitio_rewind_(const int32_t* unit);
void unitio_read_record_(const int32_t* unit, char* text, int32_t* at_end, size_t text_len);
void unitio_write_record_(const int32_t* unit, const char* text, size_t text_len);
void unitio_write_record_status_(const int32_t* unit, const char* text, int32_t* status,
                                 size_t text_len);
void unitio_close_(const int32_t* unit);
void unitio_close_delete_(const int32_t* unit);
void unitio_list_text_(const int32_t* unit, const char* text, size_t text_len);
void unitio_list_text_real_(const int32_t* unit, const char* text, const float* value,
                            size_t text_len);
void unitio_read_values_(const char* text, const char* fmt, int32_t* ints, const int32_t* nint,
                         float* reals, const int32_t* nreal, size_t text_len, size_t fmt_len);
void unitio_write_values_(char* text, const char* fmt, const int32_t* ints, const int32_t* nint,
                          const float* reals, const int32_t* nreal, size_t text_len,
                          size_t fmt_len);
}

namespace unitio {

// Unit 6 is the calling program's standard output.
constexpr int32_t kStandardOutput = 6;

// The package's text files (event files, parameter files) are read and
// written as lines of 80 characters.
constexpr size_t kLineLength = 80;

// Length of a NUL-terminated literal, usable where <cstring> is not wanted.
constexpr size_t literal_length(const char* s) {
  size_t n = 0;
  while (s[n] != '\0') ++n;
  return n;
}

inline void rewind(int32_t unit) { unitio_rewind_(&unit); }

// Reads one record into text[0..len): blank-padded. Returns false at the end
// of the file (text is then left as it was).
inline bool read_record(int32_t unit, char* text, size_t len) {
  int32_t at_end = 0;
  unitio_read_record_(&unit, text, &at_end, len);
  return at_end == 0;
}

// Writes one record of exactly len characters (no status).
inline void write_record(int32_t unit, const char* text, size_t len) {
  unitio_write_record_(&unit, text, len);
}

// Writes one record of exactly len characters; returns the iostat value.
inline int32_t write_record_status(int32_t unit, const char* text, size_t len) {
  int32_t status = 0;
  unitio_write_record_status_(&unit, text, &status, len);
  return status;
}

inline void close(int32_t unit) { unitio_close_(&unit); }
inline void close_delete(int32_t unit) { unitio_close_delete_(&unit); }

// List-directed output of a text (the runtime adds the leading blank).
inline void list_text(int32_t unit, const char* text) {
  unitio_list_text_(&unit, text, literal_length(text));
}

// List-directed output of a text followed by a real in free format.
inline void list_text_real(int32_t unit, const char* text, float value) {
  unitio_list_text_real_(&unit, text, &value, literal_length(text));
}

// Formatted read of nint integers and then nreal reals from text[0..len)
// with the format fmt, for example "(1X,2I2,1X,2I2,1X,2I2,1X,F4.1)". A field
// that is not a number stops the program (no status).
inline void read_values(const char* text, size_t len, const char* fmt, int32_t* ints, int32_t nint,
                        float* reals, int32_t nreal) {
  unitio_read_values_(text, fmt, ints, &nint, reals, &nreal, len, literal_length(fmt));
}

inline int32_t read_int(const char* text, size_t len, const char* fmt) {
  int32_t v = 0;
  float unused = 0.0f;
  read_values(text, len, fmt, &v, 1, &unused, 0);
  return v;
}

inline float read_real(const char* text, size_t len, const char* fmt) {
  int32_t unused = 0;
  float v = 0.0f;
  read_values(text, len, fmt, &unused, 0, &v, 1);
  return v;
}

// Formatted write of nint integers and then nreal reals into text[0..len).
inline void write_values(char* text, size_t len, const char* fmt, const int32_t* ints, int32_t nint,
                         const float* reals, int32_t nreal) {
  unitio_write_values_(text, fmt, ints, &nint, reals, &nreal, len, literal_length(fmt));
}

inline void write_int(char* text, size_t len, const char* fmt, int32_t v) {
  const float none = 0.0f;
  write_values(text, len, fmt, &v, 1, &none, 0);
}

inline void write_reals(char* text, size_t len, const char* fmt, const float* reals, int32_t n) {
  const int32_t none = 0;
  write_values(text, len, fmt, &none, 0, reals, n);
}

}  // namespace unitio
