#include "driver/output_names.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "driver/switches.h"
#include "records/ascii_text.h"

namespace drumlin {

namespace {

// data.YCF and data.ycf become data.msd; any other name gets ".msd" appended.
std::string OutputNameBeside(const std::string& InputName) {
  const std::size_t Slash = InputName.rfind('/');
  const std::size_t Dot = InputName.rfind('.');
  const bool HasExtension = Dot != std::string::npos && (Slash == std::string::npos || Dot > Slash);
  if (HasExtension && UpperAscii(InputName.substr(Dot)) == ".YCF")
    return InputName.substr(0, InputName.size() - 4) + ".msd";
  return InputName + ".msd";
}

// The home directory a shell puts for "~" (User empty) or "~User".
std::optional<std::string> HomeDirectory(const std::string& User) {
  if (User.empty()) {
    if (const char* Home = std::getenv("HOME")) return std::string(Home);
    if (const passwd* Entry = ::getpwuid(::getuid())) return std::string(Entry->pw_dir);
    return std::nullopt;
  }
  if (const passwd* Entry = ::getpwnam(User.c_str())) return std::string(Entry->pw_dir);
  return std::nullopt;
}

std::string CurrentDirectory() {
  std::vector<char> Buffer(4096);
  while (!::getcwd(Buffer.data(), Buffer.size())) {
    if (errno != ERANGE) return "/";
    Buffer.resize(Buffer.size() * 2);
  }
  return Buffer.data();
}

}  // namespace

std::string AbsoluteDirectory(std::string Dir) {
  if (Dir.back() != '/') Dir += '/';
  if (Dir.front() == '~') {
    const std::size_t Slash = Dir.find('/');
    if (const auto Home = HomeDirectory(Dir.substr(1, Slash - 1)))
      Dir = *Home + "/" + Dir.substr(Slash + 1);
  }
  if (Dir.front() != '/') Dir = CurrentDirectory() + "/" + Dir;

  std::vector<std::string> Parts;
  std::size_t Begin = 0;
  while (Begin < Dir.size()) {
    std::size_t End = Dir.find('/', Begin);
    if (End == std::string::npos) End = Dir.size();
    const std::string Part = Dir.substr(Begin, End - Begin);
    if (Part == "..") {
      if (!Parts.empty()) Parts.pop_back();
    } else if (!Part.empty() && Part != ".") {
      Parts.push_back(Part);
    }
    Begin = End + 1;
  }
  std::string Result = "/";
  for (const std::string& Part : Parts) Result += Part + "/";
  return Result;
}

namespace {

// Creates Dir and every missing parent; failures show when the output opens.
void CreateDirectories(const std::string& Dir) {
  for (std::size_t Slash = Dir.find('/', 1); Slash != std::string::npos;
       Slash = Dir.find('/', Slash + 1))
    ::mkdir(Dir.substr(0, Slash).c_str(), 0777);
}

}  // namespace

OutputNames::OutputNames() {
  const std::string Dir = SwitchValue(kOutputDirectorySwitch, "");
  if (!Dir.empty()) Directory_ = AbsoluteDirectory(Dir);
}

std::string OutputNames::For(const std::string& InputName) {
  const std::string Beside = OutputNameBeside(InputName);
  if (Directory_.empty()) return Beside;
  if (!Created_) CreateDirectories(Directory_);
  Created_ = true;
  return Directory_ + Beside.substr(Beside.rfind('/') + 1);
}

std::optional<std::string> OutputNames::Claim(const std::string& Output, const std::string& Input) {
  const auto [Entry, New] = Claimed_.try_emplace(Output, Input);
  if (New) return std::nullopt;
  return Entry->second;
}

}  // namespace drumlin
