// Name records: 80-byte directory entry names, NUL-padded (or cut without
// terminator when the name fills them), stored one after another.
#pragma once

#include <cstddef>

namespace csys_util {

inline constexpr size_t kNameRecordLength = 80;

// Fills one record with a NUL-padded copy of name, cut after 80 bytes.
void StoreNameRecord(char* record, const char* name);

// Sorts count records into ascending order: bytes compared as unsigned
// values, ending equal at a common NUL or after 80 bytes.
void SortNameRecords(char* records, size_t count);

}  // namespace csys_util
