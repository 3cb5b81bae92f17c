// Coverage-guided fuzzing of the export parameters: any text as the file,
// parsed and looked up for a run's four keys, every value's tokens applied
// to a record header, must neither fault nor leave a code field of another
// width.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "blocks/ycf_block.h"
#include "records/ini_file.h"
#include "records/seed_file.h"

namespace {

drumlin::TSEEDFile& Header() {
  // Records would go to /dev/null, written through; none are written here.
  static drumlin::TSEEDFile File("/dev/null");
  return File;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const drumlin::IniFile Ini =
      drumlin::IniFile::Parse(std::string_view(reinterpret_cast<const char*>(Data), Size));
  drumlin::TSEEDFile& File = Header();
  for (const char* Key : {"ABC12", "ABC12-1234", "ABC12-1234Z", "ABC12-1234Z2"}) {
    const std::string Value = Ini.Value("EXPORTINFO", Key);
    File.ApplyExportTokens(Value);
  }
  if (File.GetNetwork().size() != 2) std::abort();
  return 0;
}
