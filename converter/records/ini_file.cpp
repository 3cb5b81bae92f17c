#include "records/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/ascii_text.h"
#include "records/stream_error.h"

namespace drumlin {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
  int Fd;
  ~Descriptor() {
    if (Fd >= 0) ::close(Fd);
  }
};

FileVersion VersionOf(const struct stat& Info) {
  return {static_cast<uint64_t>(Info.st_dev), static_cast<uint64_t>(Info.st_ino),
          static_cast<int64_t>(Info.st_size),
          static_cast<int64_t>(Info.st_mtim.tv_sec) * 1000000000 +
              static_cast<int64_t>(Info.st_mtim.tv_nsec)};
}

}  // namespace

std::optional<FileVersion> RegularFileVersion(const std::string& FileName) {
  struct stat Info {};
  if (::stat(FileName.c_str(), &Info) != 0 || !S_ISREG(Info.st_mode)) return std::nullopt;
  return VersionOf(Info);
}

IniFile IniFile::Read(const std::string& FileName, FileVersion* Version) {
  if (Version) *Version = FileVersion{};
  // Not blocking on a FIFO: its kind is told from the open descriptor.
  const Descriptor File{::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (File.Fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return IniFile{};
    throw StreamOpenError(FileName, errno);
  }
  struct stat Info {};
  if (::fstat(File.Fd, &Info) != 0) throw StreamOpenError(FileName, errno);
  if (S_ISDIR(Info.st_mode)) throw StreamOpenError(FileName, EISDIR);
  if (!S_ISREG(Info.st_mode)) throw StreamOpenError(FileName, "Not a regular file");
  if (Info.st_size > kMaxIniFileSize) throw StreamOpenError(FileName, EFBIG);

  std::string Text(static_cast<std::size_t>(Info.st_size), '\0');
  std::size_t Got = 0;
  while (Got < Text.size()) {
    const ssize_t Done = ::read(File.Fd, Text.data() + Got, Text.size() - Got);
    if (Done < 0 && errno == EINTR) continue;
    if (Done < 0) throw StreamOpenError(FileName, errno);
    if (Done == 0) break;  // the file shrank while it was read
    Got += static_cast<std::size_t>(Done);
  }
  Text.resize(Got);
  if (Version) *Version = VersionOf(Info);
  return Parse(Text);
}

IniFile IniFile::Parse(std::string_view Text) {
  IniFile Ini;
  std::unordered_map<std::string, std::string>* Current = nullptr;
  std::size_t LineBegin = 0;
  while (LineBegin < Text.size()) {
    std::size_t LineEnd = Text.find('\n', LineBegin);
    if (LineEnd == std::string_view::npos) LineEnd = Text.size();
    const std::string_view Line = StripControls(Text.substr(LineBegin, LineEnd - LineBegin));
    LineBegin = LineEnd + 1;

    if (Line.empty() || Line.front() == ';') continue;
    if (Line.front() == '[' && Line.back() == ']' && Line.size() >= 2) {
      // A section named again starts over: only the last one counts.
      Current =
          &Ini.Sections_[UpperAscii(std::string(StripControls(Line.substr(1, Line.size() - 2))))];
      Current->clear();
      continue;
    }
    const std::size_t Equals = Line.find('=');
    if (!Current || Equals == std::string_view::npos) continue;
    (*Current)[UpperAscii(std::string(StripControls(Line.substr(0, Equals))))] =
        std::string(StripControls(Line.substr(Equals + 1)));
  }
  return Ini;
}

std::string IniFile::Value(std::string_view SectionName, std::string_view Key) const {
  const auto Section = Sections_.find(UpperAscii(std::string(SectionName)));
  if (Section == Sections_.end()) return {};
  const auto Entry = Section->second.find(UpperAscii(std::string(Key)));
  return Entry == Section->second.end() ? std::string() : Entry->second;
}

}  // namespace drumlin
