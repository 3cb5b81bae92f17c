#include "driver/switches.h"

#include <gtest/gtest.h>

namespace drumlin {
namespace {

struct ValueCase {
  std::vector<std::string> Parameters;
  const char* Prefix;
  const char* Expected;
};

TEST(Switches, ValueOfFirstMatchingParameter) {
  const ValueCase Cases[] = {
      {{"f.YCF", "/net:XX"}, "/net:", "XX"},
      {{"f.YCF", "-net:XX"}, "/net:", "XX"},
      {{"f.YCF", "/NET:Xy"}, "/net:", "Xy"},  // value keeps its case
      {{"f.YCF", "-NeT:ab"}, "/net:", "ab"},
      {{"f.YCF", "/net:"}, "/net:", ""},  // present but empty
      {{"f.YCF"}, "/net:", "default"},
      {{"f.YCF", "/o:a", "/o:b"}, "/o:", "a"},      // first occurrence wins
      {{"f.YCF", "-o:b", "/o:a"}, "/o:", "a"},      // '/' form is searched first
      {{"/o:first", "/o:b"}, "/o:", "first"},       // parameter 1 counts too
      {{"f.YCF", "/ne"}, "/net:", "default"},       // too short never matches
      {{"f.YCF", "x/net:XX"}, "/net:", "default"},  // prefix, not substring
      {{"f.YCF", "/i:Export.INI"}, "/i:", "Export.INI"},
      {{"f.YCF", "/\xE9t:1"}, "/\xC9T:", "default"},  // only a-z change case
      {{}, "/o:", "default"},
  };
  for (const auto& C : Cases) {
    SetParameters(C.Parameters);
    EXPECT_EQ(SwitchValue(C.Prefix, "default"), C.Expected)
        << C.Prefix << " in " << C.Parameters.size() << " parameters";
  }
}

struct PresenceCase {
  std::vector<std::string> Parameters;
  bool Expected;
};

TEST(Switches, FindsSwitchByCaseInsensitivePrefix) {
  const PresenceCase Cases[] = {
      {{"f.YCF", "/sys"}, true}, {{"f.YCF", "/SYS"}, true},    {{"f.YCF", "-sys"}, true},
      {{"f.YCF", "-SYS"}, true}, {{"f.YCF", "/system"}, true}, {{"/sysdata/f.YCF"}, true},
      {{"f.YCF", "/sy"}, false}, {{"f.YCF", "sys"}, false},    {{"f.YCF", "+sys"}, false},
      {{"f.YCF"}, false},
  };
  for (const auto& C : Cases) {
    SetParameters(C.Parameters);
    EXPECT_EQ(FindSwitch("/sys"), C.Expected) << C.Parameters.back();
  }
}

TEST(Switches, TakesParametersAfterProgramName) {
  char Program[] = "DRUMLIN";
  char First[] = "/net:AB";
  char Second[] = "/net:CD";
  char* Arguments[] = {Program, First, Second, nullptr};
  SetParameters(3, Arguments);
  ASSERT_EQ(Parameters().size(), 2u);
  EXPECT_EQ(SwitchValue("/net:", ""), "AB");
}

}  // namespace
}  // namespace drumlin
