// The pictures msd_plot writes: real PNG, SVG and PDF files of the asked
// size with a drawing on them, put in place whole (an older picture
// replaced, its permission bits kept, nothing left behind), and the
// committed picture of the example still made by its command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "mseed_files.h"
#include "testsupport/files.h"
#include "testsupport/program_run.h"
#include "testsupport/scratch_directory.h"

namespace viewer {
namespace {

using drumlin::test::ProgramRun;
using drumlin::test::ReadWholeFile;
using drumlin::test::ScratchDirectory;
using drumlin::test::ShellQuoted;
using drumlin::test::WriteWholeFile;
using namespace test;

uint32_t Be32(const std::string& Bytes, std::size_t At) {
  return static_cast<uint32_t>(static_cast<uint8_t>(Bytes[At])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(Bytes[At + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(Bytes[At + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(Bytes[At + 3]));
}

// The drawing operators of a PDF's compressed content streams, as text.
std::string PdfContent(const std::string& Pdf) {
  std::string Text;
  for (std::size_t At = Pdf.find("stream\n"); At != std::string::npos;
       At = Pdf.find("stream\n", At)) {
    At += 7;
    const std::size_t End = Pdf.find("endstream", At);
    if (End == std::string::npos) break;
    z_stream Z{};
    if (inflateInit(&Z) != Z_OK) break;
    Z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Pdf.data() + At));
    Z.avail_in = static_cast<uInt>(End - At);
    char Out[65536];
    int Status;
    do {
      Z.next_out = reinterpret_cast<Bytef*>(Out);
      Z.avail_out = sizeof Out;
      Status = inflate(&Z, Z_NO_FLUSH);
      Text.append(Out, sizeof Out - Z.avail_out);
    } while (Status == Z_OK);
    inflateEnd(&Z);
    At = End;
  }
  return Text;
}

std::size_t Count(const std::string& Text, const std::string& Part) {
  std::size_t N = 0;
  for (std::size_t At = Text.find(Part); At != std::string::npos; At = Text.find(Part, At + 1)) ++N;
  return N;
}

TEST(Pictures, AreRealFilesOfTheAskedSizeWithADrawing) {
  ScratchDirectory Work;
  const struct {
    const char* Name;
    std::vector<std::string> Chart;
  } Cases[] = {
      {"look.png", {}},
      {"look.svg", {}},
      {"look.pdf", {}},
      {"chart.png", {"--availability"}},
      {"chart.svg", {"--availability"}},
      {"chart.pdf", {"--availability"}},
  };
  for (const auto& C : Cases) {
    std::vector<std::string> Arguments = C.Chart;
    for (const char* A : {"--width", "900", "--height", "500", "-o"}) Arguments.push_back(A);
    Arguments.push_back(C.Name);
    Arguments.push_back(kExampleMsd);
    const ProgramRun Run = RunMsdPlot(Arguments, Work.Path());
    ASSERT_EQ(Run.Status, 0) << C.Name << ": " << Run.Errors;
    const std::string Bytes = ReadWholeFile(Work.File(C.Name));
    const std::string Name = C.Name;
    if (Name.ends_with(".png")) {
      ASSERT_GT(Bytes.size(), 33u);
      EXPECT_EQ(Bytes.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0) << C.Name;
      EXPECT_EQ(Bytes.compare(12, 4, "IHDR"), 0) << C.Name;
      EXPECT_EQ(Be32(Bytes, 16), 900u) << C.Name;
      EXPECT_EQ(Be32(Bytes, 20), 500u) << C.Name;
      // Ink: libpng decodes it, and a good share of pixels are not paper.
      const Pixels Picture = ReadPng(Work.File(C.Name));
      ASSERT_EQ(Picture.Width, 900) << C.Name;
      int Inked = 0;
      for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X) Inked += !Picture.Same(X, Y, 255, 255, 255);
      EXPECT_GT(Inked, 900 * 500 / 20) << C.Name;
    } else if (Name.ends_with(".svg")) {
      EXPECT_TRUE(
          std::regex_search(Bytes, std::regex("<svg[^>]* width=\"900pt\" height=\"500pt\"")))
          << C.Name;
      EXPECT_GT(Count(Bytes, "<path"), 50u) << C.Name;
      EXPECT_NE(Bytes.find("</svg>"), std::string::npos) << C.Name;
    } else {
      EXPECT_TRUE(Bytes.starts_with("%PDF-")) << C.Name;
      EXPECT_NE(Bytes.find("/MediaBox [ 0 0 900 500 ]"), std::string::npos) << C.Name;
      // Lines (the waveform's, the axes') and boxes (bars and shades) among
      // the page's drawing operators.
      const std::string Content = PdfContent(Bytes);
      const std::size_t Lines = Count(Content, " l ") + Count(Content, " l\n");
      EXPECT_GT(Lines, C.Chart.empty() ? 1000u : 20u) << C.Name;
      EXPECT_GE(Count(Content, " re "), C.Chart.empty() ? 3u : 8u) << C.Name;
    }
  }
}

TEST(Pictures, ArePutInPlaceWhole) {
  ScratchDirectory Work;
  // A new picture takes the bits a new file gets under the umask.
  const ProgramRun First = RunMsdPlot({"-o", "look.png", kExampleMsd}, Work.Path());
  ASSERT_EQ(First.Status, 0) << First.Errors;
  struct stat Info;
  ASSERT_EQ(::stat(Work.File("look.png").c_str(), &Info), 0);
  const mode_t Mask = ::umask(0);
  ::umask(Mask);
  EXPECT_EQ(Info.st_mode & 0777, 0666 & ~Mask);
  // An older picture is replaced and keeps its bits.
  WriteWholeFile(Work.File("old.png"), "an older picture");
  ::chmod(Work.File("old.png").c_str(), 0640);
  const ProgramRun Again = RunMsdPlot({"-o", "old.png", kExampleMsd}, Work.Path());
  ASSERT_EQ(Again.Status, 0) << Again.Errors;
  EXPECT_EQ(ReadPng(Work.File("old.png")).Width, 1600);
  ASSERT_EQ(::stat(Work.File("old.png").c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0640u);
  // A folder that is not there: nothing is read or written.
  const ProgramRun Nowhere = RunMsdPlot({"-o", "no/such/look.png", kExampleMsd}, Work.Path());
  EXPECT_EQ(Nowhere.Status, 1);
  EXPECT_TRUE(Nowhere.Errors.starts_with("msd_plot: cannot write no/such/look.png: "))
      << Nowhere.Errors;
  EXPECT_EQ(Nowhere.Output, "");
  // An interrupted drawing leaves nothing: the temporary goes with the signal.
  const ProgramRun Killed =
      drumlin::test::RunShell(ShellQuoted(MSD_PLOT_PROGRAM) + " -o killed.png " +
                                  ShellQuoted(kExampleMsd) + " & sleep 0.01; kill -TERM $! ; wait",
                              Work.Path());
  std::vector<std::string> Left;
  for (const auto& Entry : std::filesystem::directory_iterator(Work.Path()))
    Left.push_back(Entry.path().filename().string());
  std::sort(Left.begin(), Left.end());
  if (Left.size() == 3)
    EXPECT_EQ(Left, (std::vector<std::string>{"killed.png", "look.png", "old.png"}));
  else
    EXPECT_EQ(Left, (std::vector<std::string>{"look.png", "old.png"}));
}

// The committed picture of the example is what its command draws: the
// command still runs and makes a picture of the committed one's size.
TEST(Pictures, TheExamplesPictureIsStillMadeByItsCommand) {
  ScratchDirectory Work;
  const std::string Script = std::string(SOURCE_DIR) + "/scripts/example_picture.sh";
  const ProgramRun Run =
      drumlin::test::RunShell("bash " + ShellQuoted(Script) + " " + ShellQuoted(BUILD_DIR) + " " +
                                  ShellQuoted(Work.File("example.png")),
                              Work.Path());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  EXPECT_EQ(Count(Run.Output, " gap 2024-05-01T12:00:50.000000 2024-05-01T12:01:05.000000"), 3u)
      << Run.Output;
  const Pixels Made = ReadPng(Work.File("example.png"));
  const Pixels Committed = ReadPng(std::string(SOURCE_DIR) + "/docs/images/DM01_20240501.png");
  ASSERT_GT(Made.Width, 0);
  EXPECT_EQ(Made.Width, Committed.Width);
  EXPECT_EQ(Made.Height, Committed.Height);
}

}  // namespace
}  // namespace viewer
