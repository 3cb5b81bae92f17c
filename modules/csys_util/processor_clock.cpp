// Processor time used by the program so far, in microsecond ticks, as a
// 64-bit value (-1 when it is not available).
#include <cstdint>
#include <ctime>

extern "C" int64_t clock_() { return static_cast<int64_t>(clock()); }
