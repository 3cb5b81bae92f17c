#include "records/ini_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "records/ascii_text.h"
#include "records/stream_error.h"

namespace drumlin {

IniFile IniFile::Read(const std::string& FileName) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> File(std::fopen(FileName.c_str(), "rb"),
                                                       &std::fclose);
  if (!File) {
    if (errno == ENOENT || errno == ENOTDIR) return IniFile{};
    throw StreamOpenError(FileName, errno);
  }
  std::string Text;
  char Buffer[4096];
  std::size_t Got = 0;
  while ((Got = std::fread(Buffer, 1, sizeof Buffer, File.get())) > 0) Text.append(Buffer, Got);
  if (std::ferror(File.get())) throw StreamOpenError(FileName, errno);
  return Parse(Text);
}

IniFile IniFile::Parse(std::string_view Text) {
  IniFile Ini;
  Section* Current = nullptr;
  std::size_t LineBegin = 0;
  while (LineBegin < Text.size()) {
    std::size_t LineEnd = Text.find('\n', LineBegin);
    if (LineEnd == std::string_view::npos) LineEnd = Text.size();
    const std::string_view Line = StripControls(Text.substr(LineBegin, LineEnd - LineBegin));
    LineBegin = LineEnd + 1;

    if (Line.empty() || Line.front() == ';') continue;
    if (Line.front() == '[' && Line.back() == ']' && Line.size() >= 2) {
      const std::string Name =
          UpperAscii(std::string(StripControls(Line.substr(1, Line.size() - 2))));
      Current = nullptr;
      for (Section& Existing : Ini.Sections_)
        if (Existing.Name == Name) Current = &Existing;
      if (Current)
        Current->Entries.clear();
      else
        Current = &Ini.Sections_.emplace_back(Section{Name, {}});
      continue;
    }
    const std::size_t Equals = Line.find('=');
    if (!Current || Equals == std::string::npos) continue;
    Current->Entries.emplace_back(UpperAscii(std::string(StripControls(Line.substr(0, Equals)))),
                                  std::string(StripControls(Line.substr(Equals + 1))));
  }
  return Ini;
}

std::string IniFile::Value(std::string_view SectionName, std::string_view Key) const {
  const std::string WantedSection = UpperAscii(std::string(SectionName));
  const std::string WantedKey = UpperAscii(std::string(Key));
  for (const Section& S : Sections_) {
    if (S.Name != WantedSection) continue;
    for (auto Entry = S.Entries.rbegin(); Entry != S.Entries.rend(); ++Entry)
      if (Entry->first == WantedKey) return Entry->second;
  }
  return {};
}

}  // namespace drumlin
