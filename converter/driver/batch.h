// One run over the command line: usage text, help, or every file it names
// converted.
#pragma once

namespace drumlin {

// The exit status of a command line that DRUMLIN refuses.
inline constexpr int kUsageError = 2;

// Uses the parameters stored by SetParameters; returns the exit status.
// Errors of an output file propagate as exceptions.
int RunBatch();

}  // namespace drumlin
