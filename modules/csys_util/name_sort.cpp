// Sorts the caller's array of 80-byte name records in place. Blank-padded
// records hold no NUL and are compared over all 80 bytes, blanks included.
#include <cstdint>

#include "name_records.h"

extern "C" void sortfi_(char* names, const int32_t* n, int32_t /*names_len*/) {
  if (*n > 1) csys_util::SortNameRecords(names, static_cast<size_t>(*n));
}
