// Name of the export parameters file given with "/i:"; empty when the switch
// is absent. Set once before the first conversion.
#pragma once

#include <string>

namespace drumlin {

extern std::string IniFileName;

// Whether the last run start looked for the file IniFileName names and found
// nothing there: its runs carry the default codes.
bool IniFileMissing();

}  // namespace drumlin
