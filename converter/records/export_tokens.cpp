#include "records/export_tokens.h"

namespace drumlin {

namespace {

bool IsControlOrSpace(char C) { return static_cast<unsigned char>(C) <= 32; }

void EraseLeadingControls(std::string& Text) {
  std::size_t Begin = 0;
  while (Begin < Text.size() && IsControlOrSpace(Text[Begin])) ++Begin;
  Text.erase(0, Begin);
}

}  // namespace

std::string StripControls(const std::string& Text) {
  std::size_t Begin = 0;
  std::size_t End = Text.size();
  while (Begin < End && IsControlOrSpace(Text[Begin])) ++Begin;
  while (End > Begin && IsControlOrSpace(Text[End - 1])) --End;
  return Text.substr(Begin, End - Begin);
}

std::string UpperAscii(std::string Text) {
  for (char& C : Text)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Text;
}

void NextToken(std::string& Text, std::string& Token) {
  EraseLeadingControls(Text);
  const std::size_t End = Text.find_first_of(" \r\n");
  Token = Text.substr(0, End);
  Text.erase(0, End == std::string::npos ? Text.size() : End);
  EraseLeadingControls(Text);
}

}  // namespace drumlin
