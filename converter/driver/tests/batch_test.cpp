#include "driver/batch.h"

#include <gtest/gtest.h>

#include "driver/switches.h"
#include "records/ini_file_name.h"
#include "testsupport/scratch_directory.h"

namespace drumlin {
namespace {

using test::ScratchDirectory;

struct IniCase {
  std::vector<std::string> Parameters;
  const char* Expected;
};

// The export parameters file name is taken once per run, also when no file
// is selected.
TEST(Batch, StoresExportParametersFileName) {
  ScratchDirectory Scratch;
  const std::string NoMatch = Scratch.Path() + "*.none";
  const IniCase Cases[] = {
      {{NoMatch, "/i:export.ini"}, "export.ini"},
      {{NoMatch, "-I:Dir/Export.INI", "/i:second"}, "second"},  // '/' form first
      {{NoMatch, "/i:"}, ""},
      {{NoMatch}, ""},
  };
  for (const auto& C : Cases) {
    IniFileName = "left over";
    SetParameters(C.Parameters);
    EXPECT_EQ(RunBatch(), 0);
    EXPECT_EQ(IniFileName, C.Expected);
  }
}

}  // namespace
}  // namespace drumlin
