#include "driver/convert_file.h"

namespace drumlin {

void ConvertFile(const std::string& /*InputName*/) {}

}  // namespace drumlin
