// Export parameters: tokens, the file's sections and keys, and the codes a
// run ends up with.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "records/export_tokens.h"
#include "records/ini_file.h"
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

// Writes Text as an edit of the file would: a modification time past the
// one it had (file times advance in steps of a few milliseconds, faster
// rewrites can keep the same time).
void WriteEdited(const std::string& Path, const std::string& Text) {
  std::error_code Missing;
  const auto Before = std::filesystem::last_write_time(Path, Missing);
  test::WriteWholeFile(Path, Text);
  if (!Missing) std::filesystem::last_write_time(Path, Before + std::chrono::seconds(1));
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
    return MakeDataBlock(H, std::vector<int32_t>{0});
  }

  ScratchDirectory Dir;
  TSEEDFile File{Dir.File("out.msd")};
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
    WriteEdited(Ini, C.Text);
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

// An edit between two runs takes effect at the next run: the file is read
// again when its identity, size or modification time has changed, and the
// parse reused while none has.
TEST_F(ExportInfo, AnEditTakesEffectAtTheNextRun) {
  const std::string Ini = Dir.File("export.ini");
  const std::string Other = Dir.File("other.ini");
  IniFileName = Ini;
  const struct {
    const char* Name;
    std::function<void()> Edit;
    const char* Network;
  } Steps[] = {
      {"first read", [&] { test::WriteWholeFile(Ini, "[EXPORTINFO]\nABC12=NET:AA\n"); }, "AA"},
      {"unchanged", [] {}, "AA"},
      {"same size, later time", [&] { WriteEdited(Ini, "[EXPORTINFO]\nABC12=NET:BB\n"); }, "BB"},
      {"longer", [&] { test::WriteWholeFile(Ini, "[EXPORTINFO]\nABC12 = NET:CC\n"); }, "CC"},
      {"another file moved in",
       [&] {
         test::WriteWholeFile(Other, "[EXPORTINFO]\nABC12=NET:DD\n");
         std::filesystem::rename(Other, Ini);
       },
       "DD"},
      {"removed", [&] { std::filesystem::remove(Ini); }, "  "},
      {"back again", [&] { test::WriteWholeFile(Ini, "[EXPORTINFO]\nABC12=NET:EE\n"); }, "EE"},
  };
  for (const auto& Step : Steps) {
    Step.Edit();
    File.InitHeader(Block());
    EXPECT_EQ(File.GetNetwork(), Step.Network) << Step.Name;
  }
}

// A file of many sections and keys, looked up at many run starts.
TEST_F(ExportInfo, LargeFilesAndManyRuns) {
  std::string Text = "[EXPORTINFO]\n";
  for (int I = 0; I < 30000; ++I) {
    Text.append("[S").append(std::to_string(I)).append("]\nK").append(std::to_string(I));
    Text.append(" = NET:").append(std::to_string(I % 100)).append("\n");
  }
  Text += "[EXPORTINFO]\nABC12 = NET:ZZ\nABC12-1234Z2 = STA:LAST\n";
  const std::string Ini = Dir.File("large.ini");
  test::WriteWholeFile(Ini, Text);
  IniFileName = Ini;
  for (int Run = 0; Run < 2000; ++Run) {
    File.InitHeader(Block());
    ASSERT_EQ(CodesOf(File), (Codes{"ZZ", "LAST ", "HHZ", "  "})) << Run;
  }
}

// Names that cannot be an export parameters file end the conversion with
// the stream's open error and the reason, without blocking on a FIFO or
// reading a device or a huge file into memory.
TEST_F(ExportInfo, NamesThatAreNoFileRaiseTheOpenError) {
  const std::string Fifo = Dir.File("fifo.ini");
  ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
  const std::string Huge = Dir.File("huge.ini");
  test::WriteWholeFile(Huge, "[EXPORTINFO]\n");
  std::filesystem::resize_file(Huge, kMaxIniFileSize + 1);  // sparse
  const std::string Bound = Dir.File("bound.ini");
  test::WriteWholeFile(Bound, "[EXPORTINFO]\nABC12=NET:OK\n");
  std::filesystem::resize_file(Bound, kMaxIniFileSize);  // just within the bound
  const struct {
    std::string Name;
    std::string Reason;  // empty: read without error
  } Cases[] = {
      {Dir.Path(), std::strerror(EISDIR)},
      {Fifo, "Not a regular file"},
      {"/dev/zero", "Not a regular file"},
      {Huge, std::strerror(EFBIG)},
      {Bound, ""},
  };
  for (const auto& C : Cases) {
    IniFileName = C.Name;
    try {
      File.InitHeader(Block());
      EXPECT_EQ(C.Reason, "") << C.Name;
      EXPECT_EQ(File.GetNetwork(), "OK") << C.Name;
    } catch (const StreamOpenError& Error) {
      EXPECT_EQ(std::string(Error.what()), "Cannot open file \"" + C.Name + "\". " + C.Reason);
    }
  }
}

}  // namespace
}  // namespace drumlin
