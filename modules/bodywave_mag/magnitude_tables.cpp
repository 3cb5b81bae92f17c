// Definitions of the two common areas. Nobody initialises them: they are
// zero when the calling program starts, as uninitialised common areas are.
#include "magnitude_tables.h"

extern "C" {
alignas(32) mbn::NameArea mbn1_;
alignas(32) mbn::ParameterArea mbn2_;
}
