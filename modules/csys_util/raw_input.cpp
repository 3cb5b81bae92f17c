// Raw characters from standard input into the caller's text, one byte each;
// positions after the end of input receive 0xFF. Nothing is blank-padded or
// terminated.
#include <cstdint>
#include <cstdio>

namespace {
constexpr char kEndOfInput = static_cast<char>(0xFF);
}

extern "C" void readn_(char* buffer, const int64_t* n, int32_t buffer_len) {
  // Only as many characters as the caller's text holds are taken; the rest
  // stays in standard input.
  int64_t count = *n;
  if (count > buffer_len) count = buffer_len;
  for (int64_t i = 0; i < count; ++i) {
    const int c = getchar();
    buffer[i] = c == EOF ? kEndOfInput : static_cast<char>(c);
  }
  fflush(stdin);
}
