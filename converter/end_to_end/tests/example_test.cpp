// The bundled example: the committed file is what its generator makes, and
// DRUMLIN converts it with its export parameters into records that libmseed
// reads back as the recording the example describes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "testsupport/files.h"
#include "testsupport/mseed_reader.h"
#include "testsupport/program_run.h"
#include "testsupport/reference_time.h"
#include "testsupport/scratch_directory.h"
#include "time/us_time.h"

namespace drumlin {
namespace {

using namespace test;

const std::string kExample = std::string(EXAMPLES_DIR) + "/DM01_20240501.YCF";
const std::string kExportInfo = std::string(EXAMPLES_DIR) + "/DM01_export.ini";
const std::string kGolden = std::string(EXAMPLES_DIR) + "/DM01_20240501.msd";
const std::string kGoldenByStream = std::string(EXAMPLES_DIR) + "/DM01_20240501_streams.msd";

TEST(Example, MatchesItsGenerator) {
  ScratchDirectory Work;
  const std::string Made = Work.File("made.YCF");
  ASSERT_EQ(std::system((ShellQuoted(MAKE_EXAMPLE_PROGRAM) + " " + ShellQuoted(Made)).c_str()), 0);
  const std::string Committed = ReadWholeFile(kExample);
  ASSERT_FALSE(Committed.empty());
  EXPECT_LT(Committed.size(), 1024u * 1024u);
  EXPECT_TRUE(ReadWholeFile(Made) == Committed) << "regenerate examples/ with make_ycf_example";
}

// The packing itself, byte for byte: every record of a fresh conversion is
// the record kept in the examples, in file order and with "/streams".
TEST(Example, ConvertsToItsGoldenFiles) {
  const struct {
    std::vector<std::string> Switches;
    std::string Golden;
  } Cases[] = {{{}, kGolden}, {{"/streams"}, kGoldenByStream}};
  for (const auto& C : Cases) {
    ScratchDirectory Work;
    std::vector<std::string> Arguments = {kExample, "/o:out", "/i:" + kExportInfo};
    Arguments.insert(Arguments.end(), C.Switches.begin(), C.Switches.end());
    const ProgramRun Run = RunDrumlin(Arguments, Work.Path());
    ASSERT_EQ(Run.Status, 0) << Run.Errors;
    const std::string Golden = ReadWholeFile(C.Golden);
    const std::string Made = ReadWholeFile(Work.File("out/DM01_20240501.msd"));
    ASSERT_EQ(Golden.size() % 4096, 0u) << C.Golden;
    ASSERT_EQ(Made.size(), Golden.size()) << C.Golden;
    for (std::size_t At = 0; At < Golden.size(); At += 4096)
      ASSERT_TRUE(Made.compare(At, 4096, Golden, At, 4096) == 0)
          << "record " << At / 4096 << " differs from " << C.Golden;
  }
}

TEST(Example, ConvertsWithItsExportParameters) {
  ScratchDirectory Work;
  const ProgramRun Run = RunDrumlin({kExample, "/o:out", "/i:" + kExportInfo}, Work.Path());
  ASSERT_EQ(Run.Status, 0) << Run.Errors;
  const DecodedFile Out = ReadMseedFile(Work.File("out/DM01_20240501.msd"));
  ASSERT_TRUE(Out.Ok) << Out.Problem;
  // 12:00:00 to 12:02:00 at 100 samples per second, nothing from 12:00:50
  // to 12:01:05: every channel's records follow on, except across the break.
  const int64_t Begin = UsTimeToHpTime(EncodeUsDate(2024, 5, 1) + EncodeUsTime(12, 0, 0, 0));
  const int64_t Break = Begin + 50 * 1000000LL, Resume = Begin + 65 * 1000000LL;
  std::map<std::string, int64_t> NextStart;
  std::map<std::string, int64_t> Samples;
  for (const DecodedRecord& R : Out.Records) {
    EXPECT_EQ(R.Network + "." + R.Station + "." + R.Location, "XX.DRUM.00");
    EXPECT_EQ(R.SampleRate, 100.0);
    ASSERT_FALSE(R.Samples.empty());
    EXPECT_EQ(R.X0, R.Samples.front());
    EXPECT_EQ(R.Xn, R.Samples.back());
    const auto It = NextStart.try_emplace(R.Channel, Begin).first;
    const int64_t Expected = It->second == Break ? Resume : It->second;
    EXPECT_EQ(R.StartHpTime, Expected) << R.Channel;
    It->second = R.StartHpTime + R.SampleCount * 10000;
    Samples[R.Channel] += R.SampleCount;
  }
  const std::map<std::string, int64_t> Whole = {{"HHE", 10500}, {"HHN", 10500}, {"HHZ", 10500}};
  EXPECT_EQ(Samples, Whole);
  for (const auto& [Channel, End] : NextStart) EXPECT_EQ(End, Begin + 120 * 1000000LL) << Channel;
}

}  // namespace
}  // namespace drumlin
