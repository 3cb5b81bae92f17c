// Common areas of the calling programs that the event rewriting reads or
// writes. They belong to the calling program, so they are only declared here;
// only their leading 32-bit integers are used.
#pragma once

#include <cstdint>

extern "C" {
// First integer: nonzero when the phase lines are in the new layout.
extern int32_t rea_new_format_[1];
// First integer: nonzero selects the new phase header line for output.
extern int32_t new_nordic_[1];
// The area's name carries a '$', so its linkage name is given explicitly.
// The second integer is cleared at the start of every rewrite.
extern int32_t fil_com_area[2] __asm__("fil_com$_");
}
