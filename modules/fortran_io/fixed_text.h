// Fixed-length texts as the Fortran callers pass them: a pointer and a hidden
// length, blank-padded on the right, no terminator. Header-only, so that every
// module can use it without two modules defining the same symbol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fixed_text {

// Hidden lengths arrive as 32-bit values; a negative one means no characters.
constexpr size_t length(int32_t hidden_len) {
  return hidden_len > 0 ? static_cast<size_t>(hidden_len) : 0;
}

inline void fill(char* text, size_t len, char c) {
  for (size_t i = 0; i < len; ++i) text[i] = c;
}

inline void blank(char* text, size_t len) { fill(text, len, ' '); }

inline bool all_blank(const char* text, size_t len) {
  for (size_t i = 0; i < len; ++i)
    if (text[i] != ' ') return false;
  return true;
}

// Copies src[0..src_len) into dst[0..dst_len), cut or blank-padded, as a
// Fortran character assignment does.
inline void assign(char* dst, size_t dst_len, const char* src, size_t src_len) {
  size_t i = 0;
  for (; i < dst_len && i < src_len; ++i) dst[i] = src[i];
  for (; i < dst_len; ++i) dst[i] = ' ';
}

// As assign, from a NUL-terminated literal.
inline void assign(char* dst, size_t dst_len, const char* literal) {
  size_t n = 0;
  while (literal[n] != '\0') ++n;
  assign(dst, dst_len, literal, n);
}

// Fortran comparison of two fixed-length texts: the shorter is taken as
// blank-padded.
inline bool equal(const char* a, size_t a_len, const char* b, size_t b_len) {
  const size_t n = a_len > b_len ? a_len : b_len;
  for (size_t i = 0; i < n; ++i) {
    const char ca = i < a_len ? a[i] : ' ';
    const char cb = i < b_len ? b[i] : ' ';
    if (ca != cb) return false;
  }
  return true;
}

// A NUL-terminated copy of text[0..len), ended early by a NUL within it, in
// memory from malloc that the caller frees; nullptr when none is left.
inline char* terminated_copy(const char* text, size_t len) {
  char* copy = static_cast<char*>(malloc(len + 1));
  if (copy == nullptr) return nullptr;
  size_t used = 0;
  while (used < len && text[used] != '\0') {
    copy[used] = text[used];
    ++used;
  }
  copy[used] = '\0';
  return copy;
}

// Position (from 1) of the last non-blank character; 0 when all blank.
inline size_t used_length(const char* text, size_t len) {
  while (len > 0 && text[len - 1] == ' ') --len;
  return len;
}

}  // namespace fixed_text
