// One run over the command line: usage text, or every selected file converted.
#pragma once

namespace drumlin {

// Uses the parameters stored by SetParameters; returns the exit status.
// Errors of an output file propagate as exceptions.
int RunBatch();

}  // namespace drumlin
