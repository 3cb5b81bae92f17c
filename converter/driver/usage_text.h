// The texts DRUMLIN prints about itself: the usage text of a start without
// parameters, the help that adds what the usage text leaves out, and the
// banner that begins both and answers --version.
#pragma once

#include <string>

namespace drumlin {

std::string Banner();
std::string UsageText();
std::string HelpText();

}  // namespace drumlin
