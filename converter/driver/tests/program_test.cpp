// Runs the DRUMLIN program itself and looks at its output and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "testsupport/program_run.h"
#include "testsupport/recordings.h"
#include "testsupport/scratch_directory.h"

namespace drumlin {
namespace {

using namespace test;

// Only the progress lines: conversions may add their own messages.
std::vector<std::string> ProgressLines(const std::vector<std::string>& Lines) {
  std::vector<std::string> Result;
  for (const std::string& Line : Lines)
    if (Line.rfind("Converting ", 0) == 0) Result.push_back(Line);
  return Result;
}

// The usage text after its banner line, as the program has always printed it.
const std::string kUsageBody =
    "\n"
    "Usage: DRUMLIN filespec [/o:output_dir] [/net:nn] [/sys] [/i:inifile]\n"
    "\n"
    "  where 'filespec'   must be the first parameter.\n"
    "                     specifies a YCF file or files to convert.\n"
    "                     Wildcards are supported\n"
    "        'output_dir' specifies a directory for converted files.\n"
    "                     if not specified, the directory of the input file is used\n"
    "        'nn'         specifies a two-digit network code\n"
    "                     to be included in the miniSEED header\n"
    "        '/sys'       Specifies that the YCF System ID field is used in the\n"
    "                     MiniSeed Station-ID field instead of the serial number\n"
    "        'inifile'    is a text file where additional miniSEED-specific\n"
    "                     parameters are stored (optional)\n";

TEST(Program, PrintsUsageWithoutParameters) {
  ScratchDirectory Scratch;
  const ProgramRun Run = RunDrumlin({}, Scratch.Path());
  EXPECT_EQ(Run.Status, 0);
  EXPECT_EQ(Run.Errors, "");
  const std::size_t BannerEnd = Run.Output.find('\n');
  ASSERT_NE(BannerEnd, std::string::npos);
  const std::string Banner = Run.Output.substr(0, BannerEnd);
  EXPECT_EQ(Banner.rfind("DRUMLIN", 0), 0u) << Banner;
  EXPECT_TRUE(Banner.size() >= 4 && Banner.substr(Banner.size() - 4) == "v1.7") << Banner;
  EXPECT_EQ(Run.Output.substr(BannerEnd + 1), kUsageBody);
}

// Help prints the usage text unchanged and then what it leaves out;
// --version the banner alone. Neither converts anything.
TEST(Program, HelpAndVersion) {
  ScratchDirectory Scratch;
  Scratch.AddFile("a.YCF");
  const std::string Usage = RunDrumlin({}, Scratch.Path()).Output;
  for (const char* Asking : {"--help", "-h", "-?", "/?"}) {
    const ProgramRun Run = RunDrumlin({Asking, "a.YCF"}, Scratch.Path());
    EXPECT_EQ(Run.Status, 0) << Asking;
    EXPECT_EQ(Run.Errors, "") << Asking;
    ASSERT_EQ(Run.Output.rfind(Usage, 0), 0u) << Asking << ":\n" << Run.Output;
    const std::string Further = Run.Output.substr(Usage.size());
    EXPECT_NE(Further.find("'/streams'"), std::string::npos) << Further;
    EXPECT_NE(Further.find("'/sds:dir'"), std::string::npos) << Further;
    EXPECT_NE(Further.find("Exit status"), std::string::npos) << Further;
  }
  const ProgramRun Version = RunDrumlin({"--version"}, Scratch.Path());
  EXPECT_EQ(Version.Status, 0);
  EXPECT_EQ(Version.Output, Usage.substr(0, Usage.find('\n') + 1));
  EXPECT_FALSE(std::filesystem::exists(Scratch.File("a.msd")));
}

// Unquoted, a wildcard reaches DRUMLIN as the names the shell expands it to:
// every one is converted, in the order given, a name given twice once, and
// a directory among them is passed over as parameter 1 would pass it over.
TEST(Program, ConvertsEveryFileTheShellNames) {
  ScratchDirectory Scratch;
  Scratch.AddDirectory("in");
  for (const char* Name : {"c.YCF", "a.YCF", "b.YCF"}) Scratch.AddFile(std::string("in/") + Name);
  Scratch.AddDirectory("in/d.YCF");
  const ProgramRun Run = RunShell(
      ShellQuoted(DrumlinProgram()) + " in/*.YCF /o:out in/a.YCF in/../in/a.YCF", Scratch.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(Run.Errors, "");
  EXPECT_EQ(ProgressLines(Run.Lines),
            (std::vector<std::string>{"Converting a.YCF", "Converting b.YCF", "Converting c.YCF",
                                      "Converting a.YCF"}));
  for (const char* Name : {"a.msd", "b.msd", "c.msd"})
    EXPECT_TRUE(std::filesystem::exists(Scratch.File(std::string("out/") + Name))) << Name;
}

// The archive switch needs a folder and goes to an archive instead of
// output files, so "/o:" beside it is refused before anything is converted.
TEST(Program, RefusesArchiveSwitchesThatCannotGoTogether) {
  ScratchDirectory Scratch;
  Scratch.AddFile("a.YCF");
  const std::pair<std::vector<std::string>, std::string> Cases[] = {
      {{"a.YCF", "/sds:arch", "/o:out"}, "DRUMLIN: /o: and /sds: exclude each other"},
      {{"a.YCF", "-SDS:"}, "DRUMLIN: /sds: needs the archive's folder"},
  };
  for (const auto& [Arguments, Said] : Cases) {
    const ProgramRun Run = RunDrumlin(Arguments, Scratch.Path());
    EXPECT_EQ(Run.Status, 2) << Said;
    EXPECT_EQ(Run.Output, "");
    EXPECT_EQ(Run.Errors.rfind(Said, 0), 0u) << Run.Errors;
    EXPECT_EQ(Entries(Scratch.Path()), std::set<std::string>{"a.YCF"});
  }
}

// A later parameter that is neither one of DRUMLIN's switches nor a file
// (a mistyped switch, a name that is not there) stops DRUMLIN before it
// converts anything, with one line naming it and status 2.
TEST(Program, RefusesAParameterThatIsNeitherSwitchNorFile) {
  ScratchDirectory Scratch;
  Scratch.AddFile("a.YCF");
  const std::pair<std::vector<std::string>, std::string> Cases[] = {
      {{"a.YCF", "/stream"}, "/stream"},
      {{"a.YCF", "-ouput:out", "/net:XX"}, "-ouput:out"},
      {{"a.YCF", "/o:out", "b.YCF"}, "b.YCF"},
      {{"*.YCF", "/STREAMS", "/s"}, "/s"},
  };
  for (const auto& [Arguments, Wrong] : Cases) {
    const ProgramRun Run = RunDrumlin(Arguments, Scratch.Path());
    EXPECT_EQ(Run.Status, 2) << Wrong;
    EXPECT_EQ(Run.Output, "") << Wrong;
    EXPECT_NE(Run.Errors.find("DRUMLIN: " + Wrong + " is neither"), std::string::npos)
        << Run.Errors;
    EXPECT_FALSE(std::filesystem::exists(Scratch.File("a.msd"))) << Wrong;
    EXPECT_FALSE(std::filesystem::exists(Scratch.File("out"))) << Wrong;
  }
  // Every switch in either form, any letter case, is taken.
  const ProgramRun Run = RunDrumlin(
      {"a.YCF", "-O:out", "/Net:XX", "-SYSTEM", "/i:none.ini", "-Streams"}, Scratch.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_TRUE(std::filesystem::exists(Scratch.File("out/a.msd")));
}

TEST(Program, AnnouncesSelectedFilesInListingOrder) {
  ScratchDirectory Scratch;
  Scratch.AddDirectory("in");
  Scratch.AddDirectory("out");
  const ScratchDirectory& S = Scratch;
  for (const char* Name : {"zeta.YCF", "alpha.YCF", ".dot.YCF", "mid.YCF", "other.dat"})
    S.AddFile(std::string("in/") + Name);
  S.AddDirectory("in/folder.YCF");

  std::vector<std::string> Expected;
  for (const auto& Entry : std::filesystem::directory_iterator(S.Path() + "in")) {
    const std::string Name = Entry.path().filename().string();
    if (Name.size() > 4 && Name.substr(Name.size() - 4) == ".YCF" && Name != "folder.YCF")
      Expected.push_back("Converting " + Name);
  }
  ASSERT_EQ(Expected.size(), 4u);

  const ProgramRun Run = RunDrumlin({"in/*.YCF", "/o:" + S.Path() + "out"}, S.Path());
  EXPECT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(ProgressLines(Run.Lines), Expected);
}

TEST(Program, SelectingNothingWritesNothing) {
  ScratchDirectory Scratch;
  Scratch.AddDirectory("in");
  Scratch.AddFile("in/a.YCF");
  const std::vector<std::vector<std::string>> Cases = {
      {"in/*.xyz"}, {"in"}, {"missing/*"}, {"in/a.ycf"}, {Scratch.Path() + "in"}};
  for (const auto& Arguments : Cases) {
    const ProgramRun Run = RunDrumlin(Arguments, Scratch.Path());
    EXPECT_EQ(Run.Status, 0) << Arguments.front();
    EXPECT_EQ(Run.Output, "") << Arguments.front();
    EXPECT_EQ(Run.Errors, "") << Arguments.front();
  }
}

}  // namespace
}  // namespace drumlin
