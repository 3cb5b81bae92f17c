#include "driver/batch.h"

#include <iostream>

#include "driver/convert_file.h"
#include "driver/file_selection.h"
#include "driver/output_names.h"
#include "driver/switches.h"
#include "driver/usage_text.h"
#include "records/ini_file_name.h"

namespace drumlin {

int RunBatch() {
  if (Parameters().empty()) {
    std::cout << UsageText();
    return 0;
  }
  IniFileName = SwitchValue("/i:", "");
  const FilePattern Wanted = SplitFilePattern(Parameters().front());
  OutputNames Outputs;
  for (const std::string& Name : SelectFiles(Wanted)) {
    std::cout << "Converting " << Name << '\n';
    ConvertFile(Wanted.Directory + Name, Outputs);
  }
  return 0;
}

}  // namespace drumlin
