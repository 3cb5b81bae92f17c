#include "records/ascii_text.h"

namespace drumlin {

std::string UpperAscii(std::string Text) {
  for (char& C : Text)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Text;
}

std::string_view StripControls(std::string_view Text) {
  std::size_t Begin = 0;
  std::size_t End = Text.size();
  while (Begin < End && IsControlOrSpace(Text[Begin])) ++Begin;
  while (End > Begin && IsControlOrSpace(Text[End - 1])) --End;
  return Text.substr(Begin, End - Begin);
}

}  // namespace drumlin
