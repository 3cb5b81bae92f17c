// Coverage-guided fuzzing of a whole-file conversion: any bytes as a YCF
// input file, converted by the program's own conversion with switches the
// first byte picks, into a file or into an SDS archive, must neither fault
// nor write anything but whole records.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/archive_file.h"
#include "driver/convert_file.h"
#include "driver/output_names.h"
#include "driver/switches.h"
#include "records/stream_error.h"

namespace {

const std::string& WorkDirectory() {
  static const std::string Directory = [] {
    char Template[] = "/tmp/drumlin-fuzz-XXXXXX";
    if (::mkdtemp(Template) == nullptr) std::abort();
    // The conversion's messages are not what is checked here.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    return std::string(Template) + "/";
  }();
  return Directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string& Dir = WorkDirectory();
  const std::string Input = Dir + "in.YCF";
  const uint8_t Choice = Size > 0 ? Data[0] : 0;
  {
    std::ofstream File(Input, std::ios::binary | std::ios::trunc);
    if (Size > 1) File.write(reinterpret_cast<const char*>(Data + 1), static_cast<long>(Size - 1));
  }
  // One input in four goes into an archive (with a network code, which an
  // archive needs), the others into a file.
  const bool Archived = (Choice & 24) == 24;
  std::vector<std::string> Parameters = {Input};
  Parameters.push_back(Archived ? "/sds:" + Dir + "arch" : "/o:" + Dir + "out");
  if (Choice & 1) Parameters.push_back("/sys");
  if ((Choice & 2) || Archived) Parameters.push_back("/net:FZ");
  if (Choice & 4) Parameters.push_back("/streams");
  drumlin::SetParameters(Parameters);
  try {
    if (Archived) {
      std::filesystem::remove_all(Dir + "arch");
      drumlin::SdsArchive Archive(Dir + "arch/");
      drumlin::ArchiveFile(Input, Archive);
    } else {
      drumlin::OutputNames Outputs;
      drumlin::ConvertFile(Input, Outputs);
    }
  } catch (const drumlin::StreamError&) {
    std::abort();  // the work directory always takes the output
  }
  if (Archived) {
    // Every day file whole (an input without records makes no folder, and a
    // stream whose codes name no file no day file).
    std::error_code None;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator(Dir + "arch", None))
      if (Entry.is_regular_file() && Entry.file_size() % 4096 != 0) std::abort();
    return 0;
  }
  struct stat Output {};
  if (::stat((Dir + "out/in.msd").c_str(), &Output) != 0 || Output.st_size % 4096 != 0)
    std::abort();
  return 0;
}
