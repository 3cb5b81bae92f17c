#include "archive/sds_names.h"

#include <gtest/gtest.h>

#include <cstring>

#include "archive/record_place.h"

namespace drumlin {
namespace {

RecordHeader HeaderWith(const char* Network, const char* Station, const char* Location,
                        const char* Channel) {
  RecordHeader Header{};
  std::memcpy(Header.Network, Network, 2);
  std::memcpy(Header.Station, Station, 5);
  std::memcpy(Header.Location, Location, 2);
  std::memcpy(Header.Channel, Channel, 3);
  return Header;
}

TEST(SdsNames, NamesDayFilesByCodesWithoutPadding) {
  const StreamCodes Codes = CodesOf(HeaderWith("XX", "DM07 ", "  ", "HHZ"));
  EXPECT_EQ(DayFolder(Codes, 2024), "2024/XX/DM07/HHZ.D");
  EXPECT_EQ(DayFileName(Codes, 2024, 7), "XX.DM07..HHZ.D.2024.007");
  EXPECT_EQ(CodeProblem(Codes), "");
  const StreamCodes Located = CodesOf(HeaderWith("G ", "A1-_b", "00", "BH1"));
  EXPECT_EQ(DayFileName(Located, 1999, 365), "G.A1-_b.00.BH1.D.1999.365");
  EXPECT_EQ(CodeProblem(Located), "");
}

TEST(SdsNames, RefusesCodesThatCannotNameAFile) {
  const struct {
    RecordHeader Header;
    const char* Problem;
  } Cases[] = {
      {HeaderWith("  ", "DM07 ", "  ", "HHZ"), "no network code"},
      {HeaderWith("XX", "     ", "  ", "HHZ"), "no station code"},
      {HeaderWith("XX", "DM07 ", "  ", "   "), "no channel code"},
      {HeaderWith("..", "DM07 ", "  ", "HHZ"),
       "the network code \"..\" cannot name an archive file"},
      {HeaderWith("XX", "a/b  ", "  ", "HHZ"),
       "the station code \"a/b\" cannot name an archive file"},
      {HeaderWith("XX", "A B  ", "  ", "HHZ"),
       "the station code \"A B\" cannot name an archive file"},
      {HeaderWith("XX", "DM07 ", "\t ", "HHZ"),
       "the location code \"\t\" cannot name an archive file"},
      {HeaderWith("XX", "DM07 ", "  ", "HH*"),
       "the channel code \"HH*\" cannot name an archive file"},
      {HeaderWith("XX", "DM[1]", "  ", "HHZ"),
       "the station code \"DM[1]\" cannot name an archive file"},
      {HeaderWith("XX", "\xC3\xA9   ", "  ", "HHZ"),
       "the station code \"\xC3\xA9\" cannot name an archive file"},
  };
  for (const auto& C : Cases) EXPECT_EQ(CodeProblem(CodesOf(C.Header)), C.Problem);
}

// Where a record lies in its day, and which of two at one start is kept.
TEST(RecordPlace, StartEndAndRank) {
  RecordHeader Header{};
  Header.Hour = 23;
  Header.Minute = 59;
  Header.Second = 50;
  Header.Fraction = 1234;
  Header.SampleCount = 3772;
  Header.RateFactor = 100;
  Header.RateMultiplier = 1;
  uint8_t A[kRecordLength] = {}, B[kRecordLength] = {};
  const RecordPlace Place = PlaceOf(Header, A);
  EXPECT_EQ(Place.Start, (23 * 3600 + 59 * 60 + 50) * kTicksPerSecond + 1234);
  EXPECT_EQ(Place.End, Place.Start + 377200);  // beyond the day's end: it crosses midnight
  EXPECT_EQ(TimeOfDayText(Place.Start), "23:59:50.1234");
  Header.RateFactor = -10;  // a sample every 10 s
  EXPECT_EQ(PlaceOf(Header, A).End - PlaceOf(Header, A).Start, 3772 * 10 * kTicksPerSecond);

  RecordPlace More = Place, Fewer = Place;
  Fewer.Samples = 100;
  EXPECT_TRUE(Outranks(More, Fewer));
  EXPECT_FALSE(Outranks(Fewer, More));
  RecordPlace First = Place, Second = Place;
  B[100] = 1;
  Second.Bytes = B;
  EXPECT_TRUE(Outranks(First, Second));  // as many samples: the bytes decide
  EXPECT_FALSE(Outranks(Second, First));
}

}  // namespace
}  // namespace drumlin
