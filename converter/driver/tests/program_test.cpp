// Runs the DRUMLIN program itself and looks at its output and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testsupport/program_run.h"
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

TEST(Program, PrintsUsageWithoutParameters) {
  ScratchDirectory Scratch;
  const ProgramRun Run = RunDrumlin({}, Scratch.Path());
  EXPECT_EQ(Run.Status, 0);
  EXPECT_EQ(Run.Errors, "");
  const std::string Body =
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
  const std::size_t BannerEnd = Run.Output.find('\n');
  ASSERT_NE(BannerEnd, std::string::npos);
  const std::string Banner = Run.Output.substr(0, BannerEnd);
  EXPECT_EQ(Banner.rfind("DRUMLIN", 0), 0u) << Banner;
  EXPECT_TRUE(Banner.size() >= 4 && Banner.substr(Banner.size() - 4) == "v1.7") << Banner;
  EXPECT_EQ(Run.Output.substr(BannerEnd + 1), Body);
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
