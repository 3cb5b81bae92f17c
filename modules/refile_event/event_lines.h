// The caller's array of event lines: elements of the caller's own length,
// numbered from 1. Lines are copied out as 80-character blank-padded texts
// and stored back cut or padded to the element length, so that nothing
// beyond the caller's array is read or written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fortran_io/fixed_text.h"
#include "nordic_lines.h"

class EventLines {
 public:
  EventLines(char* first, size_t element_length) : first_(first), length_(element_length) {}

  size_t element_length() const { return length_; }

  void copy_out(int32_t index, char* line) const {
    fixed_text::assign(line, nordic::kLineLength, element(index), length_);
  }

  void store(int32_t index, const char* line) const {
    fixed_text::assign(element(index), length_, line, nordic::kLineLength);
  }

 private:
  char* element(int32_t index) const { return first_ + static_cast<size_t>(index - 1) * length_; }

  char* first_;
  size_t length_;
};
