// The current local date and time in the 24-character ctime layout
// ("Thu Dec 10 01:26:33 2026"), copied into the first len - 1 columns of the
// caller's text (at most 24). The rest of the text, column len included, is
// left as it was.
#include <cstdint>
#include <cstring>
#include <ctime>

namespace {
constexpr int32_t kStampLength = 24;
}

extern "C" void datetime_(char* text, int32_t text_len) {
  int32_t count = text_len - 1;
  if (count > kStampLength) count = kStampLength;
  if (count <= 0) return;
  const time_t now = time(nullptr);
  const char* stamp = ctime(&now);
  if (stamp == nullptr) return;
  memcpy(text, stamp, static_cast<size_t>(count));
}
