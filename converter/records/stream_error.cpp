#include "records/stream_error.h"

#include <cstring>

namespace drumlin {

StreamOpenError::StreamOpenError(const std::string& FileName, int Errno)
    : StreamOpenError(FileName, std::string(std::strerror(Errno))) {}

StreamOpenError::StreamOpenError(const std::string& FileName, const std::string& Reason)
    : StreamError("Cannot open file \"" + FileName + "\". " + Reason) {}

StreamCreateError::StreamCreateError(const std::string& FileName, int Errno)
    : StreamCreateError(FileName, std::string(std::strerror(Errno))) {}

StreamCreateError::StreamCreateError(const std::string& FileName, const std::string& Reason)
    : StreamError("Cannot create file \"" + FileName + "\". " + Reason) {}

StreamWriteError::StreamWriteError(const std::string& FileName, int Errno)
    : StreamError("Stream write error"), FileName_(FileName), Errno_(Errno) {}

std::string StreamWriteError::Context() const {
  return ": " + FileName_ + ": " + std::strerror(Errno_);
}

}  // namespace drumlin
