// Where the records of a conversion go: whole records, each laid out as it
// stands in a file, in the order they fill. A file of one conversion's
// output takes them (FileStream), and so does an archive of day files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace drumlin {

class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // Takes Count records of kRecordLength bytes lying back to back at
  // Records. Raises StreamError when they cannot be stored.
  virtual void TakeRecords(const uint8_t* Records, std::size_t Count) = 0;
};

}  // namespace drumlin
