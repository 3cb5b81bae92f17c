// An export parameters file in memory: sections of key = value lines.
// Lines are stripped of characters 0 to 32 at both ends; empty lines and
// lines beginning with ';' are skipped; "[name]" opens a section. Section
// names and keys compare without regard to letter case; a repeated section
// replaces the earlier one, and a repeated key's last value counts.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace drumlin {

class IniFile {
 public:
  // Reads FileName; a file that does not exist reads as empty. A file that
  // exists but cannot be read raises StreamOpenError.
  static IniFile Read(const std::string& FileName);
  // Parses text already in memory.
  static IniFile Parse(std::string_view Text);

  // The value of Key in Section; empty when either is missing.
  std::string Value(std::string_view Section, std::string_view Key) const;

 private:
  struct Section {
    std::string Name;                                          // upper-cased
    std::vector<std::pair<std::string, std::string>> Entries;  // upper-cased key, value
  };
  std::vector<Section> Sections_;
};

}  // namespace drumlin
