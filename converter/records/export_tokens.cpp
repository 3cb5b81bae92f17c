#include "records/export_tokens.h"

#include "records/ascii_text.h"

namespace drumlin {

namespace {

void EraseLeadingControls(std::string& Text) {
  std::size_t Begin = 0;
  while (Begin < Text.size() && IsControlOrSpace(Text[Begin])) ++Begin;
  Text.erase(0, Begin);
}

}  // namespace

void NextToken(std::string& Text, std::string& Token) {
  EraseLeadingControls(Text);
  const std::size_t End = Text.find_first_of(" \r\n");
  Token = Text.substr(0, End);
  Text.erase(0, End == std::string::npos ? Text.size() : End);
  EraseLeadingControls(Text);
}

}  // namespace drumlin
