#include "name_records.h"

#include <cstdlib>
#include <cstring>

namespace csys_util {

namespace {
// strncmp compares as unsigned char and stops at a NUL common to both.
int CompareNameRecords(const void* a, const void* b) {
  return strncmp(static_cast<const char*>(a), static_cast<const char*>(b), kNameRecordLength);
}
}  // namespace

void StoreNameRecord(char* record, const char* name) { strncpy(record, name, kNameRecordLength); }

void SortNameRecords(char* records, size_t count) {
  if (count > 1) qsort(records, count, kNameRecordLength, CompareNameRecords);
}

}  // namespace csys_util
