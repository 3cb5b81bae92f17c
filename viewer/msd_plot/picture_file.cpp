#include "msd_plot/picture_file.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace viewer {

namespace {

// The temporary's name for the signal handler: a fixed buffer, since the
// handler may neither allocate nor lock.
char PendingName[4096];
volatile sig_atomic_t Pending = 0;

void RemoveAndReraise(int Signal) {
  RemoveTemporaryPicture();
  ::signal(Signal, SIG_DFL);
  ::raise(Signal);
}

void WatchSignals() {
  for (const int Signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction Action;
    std::memset(&Action, 0, sizeof Action);
    Action.sa_handler = RemoveAndReraise;
    ::sigaction(Signal, &Action, nullptr);
  }
}

std::string Trimmed(std::string Text, std::size_t Keep) {
  return Text.size() > Keep ? Text.substr(Text.size() - Keep) : Text;
}

}  // namespace

void RemoveTemporaryPicture() {
  if (Pending) {
    ::unlink(PendingName);
    Pending = 0;
  }
}

bool IsWholePicture(const std::string& Bytes, PictureKind Kind) {
  switch (Kind) {
    case PictureKind::Png: {
      static const char kSignature[] = "\x89PNG\r\n\x1a\n";
      static const char kEnd[] = "IEND\xae\x42\x60\x82";
      return Bytes.size() > 40 && Bytes.compare(0, 8, kSignature, 8) == 0 &&
             Bytes.compare(Bytes.size() - 8, 8, kEnd, 8) == 0;
    }
    case PictureKind::Svg:
      return Bytes.find("<svg") != std::string::npos &&
             Trimmed(Bytes, 64).find("</svg>") != std::string::npos;
    case PictureKind::Pdf:
      return Bytes.starts_with("%PDF-") && Trimmed(Bytes, 64).find("%%EOF") != std::string::npos;
  }
  return false;
}

PictureFile::PictureFile(std::string Target) : Target_(std::move(Target)) {
  const std::filesystem::path Path(Target_);
  const std::string Folder = Path.has_parent_path() ? Path.parent_path().string() : ".";
  std::string Template = Folder + "/." + Path.filename().string() + ".XXXXXX";
  if (Template.size() >= sizeof PendingName) {
    Problem_ = "name too long";
    return;
  }
  const int Fd = ::mkstemp(Template.data());
  if (Fd < 0) {
    Problem_ = std::strerror(errno);
    return;
  }
  ::close(Fd);
  Temporary_ = Template;
  std::memcpy(PendingName, Temporary_.c_str(), Temporary_.size() + 1);
  Pending = 1;
  WatchSignals();
}

PictureFile::~PictureFile() {
  if (!Committed_ && !Temporary_.empty()) {
    Pending = 0;
    ::unlink(Temporary_.c_str());
  }
}

bool PictureFile::Commit(PictureKind Kind) {
  if (Temporary_.empty()) return false;
  const auto Fail = [this](std::string Problem) {
    Problem_ = std::move(Problem);
    return false;
  };
  {
    std::ifstream In(Temporary_, std::ios::binary);
    const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    if (!IsWholePicture(Bytes, Kind))
      return Fail("the drawing was not written whole (is the disk full?)");
  }
  // A new picture gets the bits any new file gets; one that replaces an
  // older picture keeps that one's.
  mode_t Mode;
  struct stat Old;
  if (::stat(Target_.c_str(), &Old) == 0) {
    Mode = Old.st_mode & 07777;
  } else {
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    Mode = 0666 & ~Mask;
  }
  const int Fd = ::open(Temporary_.c_str(), O_RDONLY);
  if (Fd < 0) return Fail(std::strerror(errno));
  const bool Synced = ::fchmod(Fd, Mode) == 0 && ::fsync(Fd) == 0;
  const int Error = errno;
  ::close(Fd);
  if (!Synced) return Fail(std::strerror(Error));
  if (::rename(Temporary_.c_str(), Target_.c_str()) != 0) return Fail(std::strerror(errno));
  Committed_ = true;
  Pending = 0;
  return true;
}

}  // namespace viewer
