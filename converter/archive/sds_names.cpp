#include "archive/sds_names.h"

#include <cstdio>

namespace drumlin {

namespace {

std::string Trimmed(const char* Field, std::size_t Width) {
  std::size_t Begin = 0, End = Width;
  while (Begin < End && Field[Begin] == ' ') ++Begin;
  while (End > Begin && Field[End - 1] == ' ') --End;
  return std::string(Field + Begin, End - Begin);
}

bool IsCodeCharacter(char C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '-' ||
         C == '_';
}

// Why Code cannot stand in a file name; empty when it can.
std::string CharacterProblem(const char* What, const std::string& Code) {
  for (const char C : Code)
    if (!IsCodeCharacter(C))
      return std::string("the ") + What + " code \"" + Code + "\" cannot name an archive file";
  return "";
}

std::string Number(int Value, int Digits) {
  char Text[16];
  std::snprintf(Text, sizeof Text, "%0*d", Digits, Value);
  return Text;
}

}  // namespace

StreamCodes CodesOf(const RecordHeader& Header) {
  return {Trimmed(Header.Network, sizeof Header.Network),
          Trimmed(Header.Station, sizeof Header.Station),
          Trimmed(Header.Location, sizeof Header.Location),
          Trimmed(Header.Channel, sizeof Header.Channel)};
}

std::string StreamName(const StreamCodes& Codes) {
  return Codes.Network + "." + Codes.Station + "." + Codes.Location + "." + Codes.Channel;
}

std::string CodeProblem(const StreamCodes& Codes) {
  if (Codes.Network.empty()) return "no network code";
  if (Codes.Station.empty()) return "no station code";
  if (Codes.Channel.empty()) return "no channel code";
  for (const auto& [What, Code] :
       {std::pair<const char*, const std::string&>{"network", Codes.Network},
        {"station", Codes.Station},
        {"location", Codes.Location},
        {"channel", Codes.Channel}})
    if (std::string Problem = CharacterProblem(What, Code); !Problem.empty()) return Problem;
  return "";
}

std::string DayFolder(const StreamCodes& Codes, int Year) {
  return Number(Year, 4) + "/" + Codes.Network + "/" + Codes.Station + "/" + Codes.Channel + ".D";
}

std::string DayFileName(const StreamCodes& Codes, int Year, int DayOfYear) {
  return StreamName(Codes) + ".D." + Number(Year, 4) + "." + Number(DayOfYear, 3);
}

}  // namespace drumlin
