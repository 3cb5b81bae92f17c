// Token handling of the export parameters values.
#pragma once

#include <string>

namespace drumlin {

// Cuts the next token from the front of Text: leading characters with codes
// of 32 or less are skipped, the token ends before the first space, carriage
// return or line feed (a tab does not end it), and the characters with codes
// of 32 or less that follow it are removed too.
void NextToken(std::string& Text, std::string& Token);

}  // namespace drumlin
