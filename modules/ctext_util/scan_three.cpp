// A formatted scan of a NUL-terminated text into up to three of the caller's
// variables. The format's conversions must match the variables' types; the
// result is what sscanf returns (items stored, or -1 when the text ends
// before the first conversion).
#include <cstdint>
#include <cstdio>

#pragma GCC diagnostic ignored "-Wformat-nonliteral"

extern "C" int32_t sscanf3_(const char* text, const char* format, void* a, void* b, void* c,
                            int32_t /*text_len*/, int32_t /*format_len*/) {
  return sscanf(text, format, a, b, c);
}
