// Environment entries set from a caller's NUL-terminated NAME=value text.
// putenv keeps the caller's text itself, so the caller must keep it in
// place; changing it later changes the environment.
#include <cstdint>
#include <cstdlib>

extern "C" {
// Global text buffer kept for the package's programs; nothing here uses it.
char envtext[255];

int32_t putenvsun_(char* text, int32_t /*text_len*/) { return putenv(text); }
}
