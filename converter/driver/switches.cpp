#include "driver/switches.h"

#include <optional>

#include "records/ascii_text.h"

namespace drumlin {
namespace {

std::vector<std::string>& Stored() {
  static std::vector<std::string> Values;
  return Values;
}

// The remainder of the first parameter that begins with Prefix.
std::optional<std::string> FirstMatch(const std::string& Prefix) {
  const std::string Wanted = UpperAscii(Prefix);
  for (const std::string& Parameter : Stored())
    if (Parameter.size() >= Wanted.size() &&
        UpperAscii(Parameter.substr(0, Wanted.size())) == Wanted)
      return Parameter.substr(Wanted.size());
  return std::nullopt;
}

std::optional<std::string> MatchEitherForm(const std::string& Prefix) {
  if (auto Found = FirstMatch(Prefix)) return Found;
  if (Prefix.empty() || Prefix.front() != '/') return std::nullopt;
  std::string DashForm = Prefix;
  DashForm.front() = '-';
  return FirstMatch(DashForm);
}

}  // namespace

void SetParameters(int argc, char** argv) {
  std::vector<std::string> Values;
  for (int I = 1; I < argc; ++I) Values.emplace_back(argv[I]);
  SetParameters(std::move(Values));
}

void SetParameters(std::vector<std::string> Values) { Stored() = std::move(Values); }

const std::vector<std::string>& Parameters() { return Stored(); }

bool FindSwitch(const std::string& Switch) { return MatchEitherForm(Switch).has_value(); }

std::string SwitchValue(const std::string& Prefix, const std::string& Default) {
  return MatchEitherForm(Prefix).value_or(Default);
}

}  // namespace drumlin
