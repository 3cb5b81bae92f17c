// Export parameters: tokens, the file's sections and keys, and the codes a
// run ends up with.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "records/export_tokens.h"
#include "records/ini_file_name.h"
#include "records/seed_file.h"
#include "records/stream_error.h"
#include "testsupport/base36.h"
#include "testsupport/files.h"
#include "testsupport/scratch_directory.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

using namespace test;

TEST(ExportTokens, NextTokenCutsAtSpaceAndLineBreaksOnly) {
  const struct {
    std::string Text, Token, Rest;
  } Cases[] = {
      {"  NET:XX STA:AB", "NET:XX", "STA:AB"},
      {"NET:XX\tSTA:ABC", "NET:XX\tSTA:ABC", ""},
      {"A\r\nB", "A", "B"},
      {"LOC:1\n\n  CHAN:X  ", "LOC:1", "CHAN:X  "},
      {" \t ", "", ""},
      {"ONE", "ONE", ""},
  };
  for (const auto& C : Cases) {
    std::string Text = C.Text;
    std::string Token = "stale";
    NextToken(Text, Token);
    EXPECT_EQ(Token, C.Token) << C.Text;
    EXPECT_EQ(Text, C.Rest) << C.Text;
  }
}

struct Codes {
  std::string Network, Station, Channel, Location;
  bool operator==(const Codes&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const Codes& C) {
  return Out << "net '" << C.Network << "' sta '" << C.Station << "' chan '" << C.Channel
             << "' loc '" << C.Location << "'";
}

Codes CodesOf(const TSEEDFile& File) {
  const RecordHeader& H = File.Header();
  return {std::string(H.Network, 2), std::string(H.Station, 5), std::string(H.Channel, 3),
          std::string(H.Location, 2)};
}

// A record file on a fresh header of system ABC12, stream 1234Z2 (or another
// stream of that system), 100 samples per second.
class ExportInfo : public ::testing::Test {
 protected:
  void TearDown() override { IniFileName.clear(); }

  YcfBlock Block(const std::string& Stream = "1234Z2") const {
    YcfHeaderSpec H;
    H.SystemId = Base36Value("ABC12");
    H.StreamId = Base36Value(Stream);
    H.RateCode = 100;
    H.TimeCode = MakeTimeCode(12000, 0);
    return ConvertedBlock(H, std::vector<int32_t>{0});
  }

  ScratchDirectory Dir;
  TSEEDFile File{Dir.File("out.msd"), StreamMode::Create};
};

const Codes kDefaults = {"  ", "1234 ", "HHZ", "  "};

TEST_F(ExportInfo, TokensSetTheCodesTheyName) {
  const struct {
    std::string Value;
    Codes Expected;
  } Cases[] = {
      {"net:xx sta:abc", {"XX", "ABC  ", "HHZ", "  "}},
      {"STA:ABCDEFG", {"  ", "ABCDE", "HHZ", "  "}},
      {"NET:X", {"X ", "1234 ", "HHZ", "  "}},
      {"STA:", {"  ", "     ", "HHZ", "  "}},
      {"NET:XX\tSTA:ABC", {"XX", "1234 ", "HHZ", "  "}},
      {"CHAN:bhzq LOC:0012", {"  ", "1234 ", "BHZ", "00"}},
      {"FOO:1 NET:AB NET:CD", {"CD", "1234 ", "HHZ", "  "}},
      {"  ", kDefaults},
  };
  for (const auto& C : Cases) {
    File.InitHeader(Block());
    File.ApplyExportTokens(C.Value);
    EXPECT_EQ(CodesOf(File), C.Expected) << C.Value;
  }
}

TEST_F(ExportInfo, FileEntriesFromSystemToStream) {
  const struct {
    const char* Name;
    std::string Text;
    std::string Stream;
    Codes Expected;
  } Cases[] = {
      {"system and stream keys",
       "[EXPORTINFO]\nABC12=NET:AA\nABC12-1234Z2=NET:BB\n",
       "1234Z2",
       {"BB", "1234 ", "HHZ", "  "}},
      {"another stream of the system",
       "[EXPORTINFO]\nABC12=NET:AA\nABC12-1234Z2=NET:BB\n",
       "1234N2",
       {"AA", "1234 ", "HHN", "  "}},
      {"all four keys in order",
       "[ExportInfo]\nABC12-1234Z2=LOC:44\nABC12-1234Z=LOC:33 CHAN:EHZ\nABC12-1234=STA:SER "
       "LOC:22\nABC12=NET:NN LOC:11 STA:SYS\n",
       "1234Z2",
       {"NN", "SER  ", "EHZ", "44"}},
      {"later line of a key",
       "[EXPORTINFO]\nABC12=NET:AA\nABC12=NET:CC\n",
       "1234Z2",
       {"CC", "1234 ", "HHZ", "  "}},
      {"comment", "[EXPORTINFO]\n;ABC12=NET:CC\n", "1234Z2", kDefaults},
      {"entries before any section", "ABC12=NET:CC\n[EXPORTINFO]\n", "1234Z2", kDefaults},
      {"repeated section: only the last",
       "[EXPORTINFO]\nABC12=NET:AA\n[OTHER]\nABC12=NET:ZZ\n[EXPORTINFO]\nABC12-1234=STA:XYZ\n",
       "1234Z2",
       {"  ", "XYZ  ", "HHZ", "  "}},
      {"blanks, tabs, CR and letter case",
       "  [ exportinfo ]  \r\n\t abc12-1234z =  chan:bhe loc:10  \r\n",
       "1234Z2",
       {"  ", "1234 ", "BHE", "10"}},
      {"line without =", "[EXPORTINFO]\nABC12 NET:AA\n", "1234Z2", kDefaults},
      {"other section only", "[OTHER]\nABC12=NET:AA\n", "1234Z2", kDefaults},
  };
  const std::string Ini = Dir.File("export.ini");
  IniFileName = Ini;
  for (const auto& C : Cases) {
    test::WriteWholeFile(Ini, C.Text);
    File.InitHeader(Block(C.Stream));
    EXPECT_EQ(CodesOf(File), C.Expected) << C.Name;
  }
}

TEST_F(ExportInfo, NoNameOrNoFileKeepsTheDefaults) {
  IniFileName.clear();
  File.InitHeader(Block());
  EXPECT_EQ(CodesOf(File), kDefaults);
  IniFileName = Dir.File("absent.ini");
  File.InitHeader(Block());
  EXPECT_EQ(CodesOf(File), kDefaults);
}

TEST_F(ExportInfo, FileIsReadAfreshForEveryRun) {
  const std::string Ini = Dir.File("export.ini");
  IniFileName = Ini;
  test::WriteWholeFile(Ini, "[EXPORTINFO]\nABC12=NET:AA\n");
  File.InitHeader(Block());
  EXPECT_EQ(File.GetNetwork(), "AA");
  test::WriteWholeFile(Ini, "[EXPORTINFO]\nABC12=NET:BB\n");
  File.InitHeader(Block());
  EXPECT_EQ(File.GetNetwork(), "BB");
}

TEST_F(ExportInfo, UnreadableFileRaisesTheOpenError) {
  IniFileName = Dir.Path();  // a directory opens but does not read
  try {
    File.InitHeader(Block());
    ADD_FAILURE() << "no error";
  } catch (const StreamOpenError& Error) {
    EXPECT_EQ(std::string(Error.what()),
              "Cannot open file \"" + IniFileName + "\". " + std::strerror(EISDIR));
  }
}

}  // namespace
}  // namespace drumlin
