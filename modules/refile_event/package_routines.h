// Routines of the analysis package that the event rewriting calls. They are
// Fortran routines: every argument by reference, hidden text lengths as size_t
// after the visible arguments, in the order of the text arguments. A Fortran
// logical of the default kind is a 32-bit value.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {
void topdir_(char* top_directory, size_t top_directory_len);
void dir_char_(char* dchar, size_t dchar_len);
void indata_(const int32_t* unit, int32_t* nstat, int32_t* nphase, int32_t* nhead, int32_t* nrecord,
             char* evtype, char* exp, char* data, int32_t* id, size_t evtype_len, size_t exp_len,
             size_t data_len);
void timsec_(const int32_t* year, const int32_t* month, const int32_t* day, const int32_t* hour,
             const int32_t* minute, const float* seconds, double* time);
void sectim_(const double* time, int32_t* year, int32_t* day_of_year, int32_t* month, int32_t* day,
             int32_t* hour, int32_t* minute, float* seconds);
void keldaopen_(const int32_t* action, const char* message, const char* file_name, int32_t* unit,
                int32_t* existed, int32_t* status, size_t message_len, size_t file_name_len);
void keldaclose_(const int32_t* action, const int32_t* unit, int32_t* status);
void keldacode_(const int32_t* action, const int32_t* status, const int32_t* unit,
                int32_t* end_of_file);
void inc_id_(char* idline, char* outfl, const int32_t* nf, size_t idline_len, size_t outfl_len);
}

// The fixed values that the rewriting passes to the package's file routines.
// Their meaning inside the package is the package's own; the rewriting only
// passes them on.
namespace package_files {

// keldaopen_: open the named file for writing on a free unit.
constexpr int32_t kOpenForWriting = 4160;
// keldaopen_'s message text: one blank.
constexpr char kOpenMessage[] = " ";
constexpr size_t kOpenMessageLength = sizeof(kOpenMessage) - 1;
// keldaclose_: close the unit.
constexpr int32_t kCloseUnit = 1;
// keldacode_: deal with the status of a write on the unit.
constexpr int32_t kCheckWrite = 512;

}  // namespace package_files
