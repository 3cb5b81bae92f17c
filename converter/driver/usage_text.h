// The text printed when the program is started without parameters.
#pragma once

#include <string>

namespace drumlin {

std::string UsageText();

}  // namespace drumlin
