#include "records/ini_file_name.h"

namespace drumlin {

std::string IniFileName;

}  // namespace drumlin
