#include "blocks/stream_id.h"

#include <gtest/gtest.h>

#include "testsupport/base36.h"
#include "testsupport/ycf_writer.h"

namespace drumlin {
namespace {

using test::Base36Value;

TEST(StreamId, WritesIdentifiersInBase36) {
  const std::pair<uint32_t, const char*> Cases[] = {{0, "0"},
                                                    {35, "Z"},
                                                    {36, "10"},
                                                    {1295, "ZZ"},
                                                    {0x7FFFFFFF, "ZIK0ZJ"},
                                                    {0xC01FFFFF, "18Y67"},
                                                    {0x001FFFFF, "18Y67"},
                                                    {0x83FFFFFF, "13YDJ3"},
                                                    {0x03FFFFFF, "13YDJ3"},
                                                    {0xFFE00000, "0"},
                                                    {0x80000000, "0"},
                                                    {0x40000000, "HRA0HS"}};
  for (const auto& [Id, Text] : Cases) EXPECT_EQ(Base36Id(Id), Text) << std::hex << Id;
}

TEST(StreamId, TestsSingleBits) {
  const std::tuple<uint32_t, int, bool> Cases[] = {
      {0x80000000u, 31, true}, {0x7FFFFFFFu, 31, false}, {1u, 0, true},
      {2u, 0, false},          {0x40000000u, 30, true},  {0xFFFFFFFEu, 0, false}};
  for (const auto& [Value, Bit, Set] : Cases) EXPECT_EQ(BitIsSet(Value, Bit), Set);
}

struct ChannelCase {
  const char* StreamText;
  uint8_t RateCode;
  const char* Channel;
};

TEST(StreamId, DerivesChannelCodes) {
  const ChannelCase Cases[] = {
      {"A7Z2", 100, "HHZ"}, {"A7N4", 20, "BHN"},  {"A7E0", 5, "MHE"},  {"A7Z2", 1, "LHZ"},
      {"A7M8", 1, "LMZ"},   {"A7M9", 100, "HMN"}, {"A7MA", 10, "BME"}, {"A7MC", 1, "LM?"},
      {"A7X3", 200, "HHX"}, {"A7Z2", 80, "HHZ"},  {"A7Z2", 79, "BHZ"}, {"A7Z2", 9, "MHZ"},
      {"A7Z2", 2, "MHZ"},   {"A7Z2", 171, "HHZ"}, {"A7Z2", 0, "LHZ"},  {"Z2", 181, "HHZ"},
      {"5", 100, "HH?"},  // no component character
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.StreamText);
    YcfHeaderSpec Header;
    Header.StreamId = Base36Value(C.StreamText);
    Header.RateCode = C.RateCode;
    YcfBlock Block = MakeRawBlock(Header, 0, 0, {}, 0);
    ASSERT_EQ(Base36Id(StreamId(Block)), C.StreamText);
    EXPECT_EQ(ChannelCode(Block), C.Channel) << static_cast<int>(C.RateCode);
  }
}

}  // namespace
}  // namespace drumlin
