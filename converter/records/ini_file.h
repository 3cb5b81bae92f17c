// An export parameters file in memory: sections of key = value lines.
// Lines are stripped of characters 0 to 32 at both ends; empty lines and
// lines beginning with ';' are skipped; "[name]" opens a section. Section
// names and keys compare without regard to letter case; a repeated section
// replaces the earlier one, and a repeated key's last value counts. Parsing
// takes time in proportion to the text, lookups constant time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace drumlin {

// The largest export parameters file read: far beyond any real one, small
// enough that a wrong name (a device, a huge file) cannot exhaust memory.
inline constexpr int64_t kMaxIniFileSize = 16 * 1024 * 1024;

// What tells one state of a file from another: a changed file has another
// identity, size or modification time.
struct FileVersion {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = -1;
  int64_t ModifiedNs = 0;
  bool operator==(const FileVersion&) const = default;
};

// The version of the regular file FileName (links followed); nullopt when
// there is none by that name.
std::optional<FileVersion> RegularFileVersion(const std::string& FileName);

class IniFile {
 public:
  // Reads FileName; a file that does not exist reads as empty. A name that
  // is not a regular file, a file larger than kMaxIniFileSize, and a file
  // that exists but cannot be read raise StreamOpenError with the reason.
  // Version, when given, receives the state of the file that was read (the
  // default FileVersion for a file that does not exist).
  static IniFile Read(const std::string& FileName, FileVersion* Version = nullptr);
  // Parses text already in memory.
  static IniFile Parse(std::string_view Text);

  // The value of Key in Section; empty when either is missing.
  std::string Value(std::string_view Section, std::string_view Key) const;

 private:
  // Upper-cased section names, each to its upper-cased keys and values.
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> Sections_;
};

}  // namespace drumlin
