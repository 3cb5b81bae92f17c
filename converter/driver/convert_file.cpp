// Conversion of one YCF file into one miniSEED file: output naming and
// directory, the block loop with its acceptance test, gaps and new runs, and
// the hand-over of each block's samples.
#include "driver/convert_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <vector>

#include "blocks/stream_id.h"
#include "blocks/ycf_block.h"
#include "driver/switches.h"
#include "records/ascii_text.h"
#include "records/seed_file.h"
#include "records/stream_error.h"
#include "time/us_time.h"

namespace drumlin {

namespace {

// The input file, read-only, closed on every way out. Blocks are handed out
// in place from a fixed buffer of whole blocks filled by large reads, so the
// conversion streams in constant memory with one system call per 256 blocks
// and converts each block where it was read.
class InputFile {
 public:
  explicit InputFile(const std::string& Name) : Fd_(::open(Name.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~InputFile() {
    if (Fd_ >= 0) ::close(Fd_);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return Fd_ >= 0; }

  // The next whole block, valid until the next call; null when a short or
  // failed read ends the input.
  YcfBlock* NextBlock() {
    if (Filled_ - Next_ < kYcfBlockSize && !Refill()) return nullptr;
    YcfBlock* Block = &Blocks_[Next_ / kYcfBlockSize];
    Next_ += kYcfBlockSize;
    return Block;
  }

 private:
  static constexpr std::size_t kBufferBlocks = 256;
  static constexpr std::size_t kBufferSize = kBufferBlocks * kYcfBlockSize;

  static_assert(sizeof(YcfBlock) == kYcfBlockSize, "blocks lie back to back in the buffer");
  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(Blocks_); }

  // Keeps the unread tail and reads until at least one whole block is held.
  bool Refill() {
    std::memmove(Bytes(), Bytes() + Next_, Filled_ - Next_);
    Filled_ -= Next_;
    Next_ = 0;
    while (Filled_ < kYcfBlockSize) {
      const ssize_t Done = ::read(Fd_, Bytes() + Filled_, kBufferSize - Filled_);
      if (Done < 0 && errno == EINTR) continue;
      if (Done <= 0) return false;
      Filled_ += static_cast<std::size_t>(Done);
    }
    return true;
  }

  int Fd_;
  YcfBlock Blocks_[kBufferBlocks];
  std::size_t Filled_ = 0;
  std::size_t Next_ = 0;
};

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

// An absolute directory name ending in '/', with '~' expanded and the "."
// and ".." components resolved.
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

// Creates Dir and every missing parent; failures show when the output opens.
void CreateDirectories(const std::string& Dir) {
  for (std::size_t Slash = Dir.find('/', 1); Slash != std::string::npos;
       Slash = Dir.find('/', Slash + 1))
    ::mkdir(Dir.substr(0, Slash).c_str(), 0777);
}

std::string OutputFileName(const std::string& InputName) {
  const std::string Beside = OutputNameBeside(InputName);
  std::string Dir = SwitchValue("/o:", "");
  if (Dir.empty()) return Beside;
  Dir = AbsoluteDirectory(Dir);
  CreateDirectories(Dir);
  return Dir + Beside.substr(Beside.rfind('/') + 1);
}

// What a run's header was set up from: a block of another stream or rate
// cannot be written under it.
struct RunIdentity {
  uint32_t System = 0;
  uint32_t Stream = 0;
  uint16_t Rate = 0;

  static RunIdentity Of(const YcfBlock& Block) {
    return {SystemId(Block), StreamId(Block), SampleRate(SampleRateCode(Block))};
  }
  bool operator==(const RunIdentity&) const = default;
};

void OpenRun(TSEEDFile& Output, const YcfBlock& Block) {
  Output.InitHeader(Block);
  Output.SetNetwork(SwitchValue("/net:", Output.GetNetwork()));
  if (FindSwitch("/sys")) Output.SetStation(Base36Id(SystemId(Block)));
}

}  // namespace

void ConvertFile(const std::string& InputName) {
  InputFile Input(InputName);
  if (!Input.IsOpen()) {
    std::cout << "ERROR: unable to open file " << InputName << '\n';
    return;
  }
  const std::string OutputName = OutputFileName(InputName);
  std::optional<TSEEDFile> Output;
  try {
    Output.emplace(OutputName, StreamMode::OpenReadWrite);
  } catch (const StreamOpenError&) {
    Output.emplace(OutputName, StreamMode::Create);
  }

  Output->CollectRecords(true);  // fewer, larger writes; drained before every message

  UsTime ExpectedStart = 0;
  RunIdentity Run;
  while (YcfBlock* Next = Input.NextBlock()) {
    YcfBlock& Block = *Next;
    ConvertBlock(Block);
    const UsTime Start = BlockStart(Block);
    if (!IsUsableDataBlock(Block)) {
      Output->WritePending();
      std::cout << "WARNING: Invalid YCF Data block - skipping\n";
      continue;
    }
    if (ExpectedStart == 0) ExpectedStart = Start;
    if (Start != ExpectedStart) {
      Output->WritePending();
      std::cout << "WARNING: Gap in time-series from " << UsToText(0, ExpectedStart) << " to "
                << UsToText(0, Start) << '\n';
      Output->Flush();
    } else if (!Output->NeedHeader && !(RunIdentity::Of(Block) == Run)) {
      Output->Flush();  // another stream or rate follows on: a new run, no gap
    }
    ExpectedStart = Start + BlockDuration(Block);  // the block's end
    if (Output->NeedHeader) {
      OpenRun(*Output, Block);
      Run = RunIdentity::Of(Block);
    }
    Output->AddBlockSamples(Block);
  }
  Output->Flush();
  Output->TruncateToWritten();
}

}  // namespace drumlin
