// Name of the export parameters file given with "/i:"; empty when the switch
// is absent. Set once before the first conversion.
#pragma once

#include <string>

namespace drumlin {

extern std::string IniFileName;

}  // namespace drumlin
