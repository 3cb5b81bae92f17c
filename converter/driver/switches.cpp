#include "driver/switches.h"

#include <optional>

#include "records/ascii_text.h"

namespace drumlin {
namespace {

std::vector<std::string>& Stored() {
  static std::vector<std::string> Values;
  return Values;
}

bool BeginsWith(const std::string& Parameter, const std::string& UpperPrefix) {
  return Parameter.size() >= UpperPrefix.size() &&
         UpperAscii(Parameter.substr(0, UpperPrefix.size())) == UpperPrefix;
}

// The remainder of the first of Parameters that begins with Prefix.
std::optional<std::string> FirstMatch(const std::vector<std::string>& Parameters,
                                      const std::string& Prefix) {
  const std::string Wanted = UpperAscii(Prefix);
  for (const std::string& Parameter : Parameters)
    if (BeginsWith(Parameter, Wanted)) return Parameter.substr(Wanted.size());
  return std::nullopt;
}

// The '-' form of a switch that begins with '/'; empty for any other.
std::string DashForm(const std::string& Prefix) {
  if (Prefix.empty() || Prefix.front() != '/') return "";
  return "-" + Prefix.substr(1);
}

std::optional<std::string> MatchEitherForm(const std::vector<std::string>& Parameters,
                                           const std::string& Prefix) {
  if (auto Found = FirstMatch(Parameters, Prefix)) return Found;
  const std::string Dash = DashForm(Prefix);
  if (Dash.empty()) return std::nullopt;
  return FirstMatch(Parameters, Dash);
}

}  // namespace

void SetParameters(int argc, char** argv) {
  std::vector<std::string> Values;
  for (int I = 1; I < argc; ++I) Values.emplace_back(argv[I]);
  SetParameters(std::move(Values));
}

void SetParameters(std::vector<std::string> Values) { Stored() = std::move(Values); }

const std::vector<std::string>& Parameters() { return Stored(); }

bool FindSwitch(const std::string& Switch) { return MatchEitherForm(Stored(), Switch).has_value(); }

std::string SwitchValue(const std::string& Prefix, const std::string& Default) {
  return MatchEitherForm(Stored(), Prefix).value_or(Default);
}

bool IsSwitch(const std::string& Parameter) {
  for (const char* Switch : kSwitches)
    if (MatchEitherForm({Parameter}, Switch)) return true;
  return false;
}

}  // namespace drumlin
