// Export parameters of a run: network, station, channel and location codes
// from the "EXPORTINFO" section, looked up from the system as a whole down to
// the single stream.
#include <string>

#include "records/ascii_text.h"
#include "records/export_tokens.h"
#include "records/ini_file.h"
#include "records/ini_file_name.h"
#include "records/record_run.h"

namespace drumlin {

namespace {

// Characters of Text from position Begin on, at most Count of them.
std::string TakeAfter(const std::string& Text, std::size_t Begin, std::size_t Count) {
  return Begin < Text.size() ? Text.substr(Begin, Count) : std::string();
}

bool StartsWith(const std::string& Text, const char* Prefix) { return Text.rfind(Prefix, 0) == 0; }

std::string DropLast(const std::string& Text, std::size_t Count) {
  return Text.size() > Count ? Text.substr(0, Text.size() - Count) : std::string();
}

// The parse of the export parameters file, kept while the file stays the
// same: it is read again only when its identity, size or modification time
// has changed since, so that an edit between runs still takes effect.
struct CachedIniFile {
  std::string Name;
  FileVersion Version;
  IniFile Ini;
  bool Valid = false;
};

bool LastLookupFoundNothing = false;

const IniFile& CurrentIniFile(const std::string& Name) {
  static CachedIniFile Cache;
  const std::optional<FileVersion> Now = RegularFileVersion(Name);
  if (Now && Cache.Valid && Cache.Name == Name && Cache.Version == *Now) return Cache.Ini;
  Cache.Valid = false;
  Cache.Ini = IniFile::Read(Name, &Cache.Version);
  Cache.Name = Name;
  // Only a regular file that stayed the same while it was read is kept; a
  // missing one is looked for again at the next run.
  Cache.Valid = Now && Cache.Version == *Now;
  LastLookupFoundNothing = !Now && Cache.Version == FileVersion{};
  return Cache.Ini;
}

}  // namespace

bool IniFileMissing() { return LastLookupFoundNothing; }

void RecordRun::LoadExportInfo(const std::string& StreamText, const std::string& SystemText) {
  if (IniFileName.empty()) return;
  const IniFile& Ini = CurrentIniFile(IniFileName);
  const std::string Keys[] = {
      SystemText,
      SystemText + "-" + DropLast(StreamText, 2),
      SystemText + "-" + DropLast(StreamText, 1),
      SystemText + "-" + StreamText,
  };
  for (const std::string& Key : Keys) ApplyExportTokens(Ini.Value("EXPORTINFO", Key));
}

void RecordRun::ApplyExportTokens(std::string Value) {
  std::string Token;
  while (!Value.empty()) {
    NextToken(Value, Token);
    const std::string T = UpperAscii(Token);
    if (StartsWith(T, "NET:"))
      SetNetwork(TakeAfter(T, 4, 2));
    else if (StartsWith(T, "STA:"))
      SetStation(TakeAfter(T, 4, 5));
    else if (StartsWith(T, "CHAN:"))
      SetChannel(TakeAfter(T, 5, 3));
    else if (StartsWith(T, "LOC:"))
      SetLocation(TakeAfter(T, 4, 2));
  }
}

}  // namespace drumlin
