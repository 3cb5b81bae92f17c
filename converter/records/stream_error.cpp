#include "records/stream_error.h"

#include <cstring>

namespace drumlin {

StreamOpenError::StreamOpenError(const std::string& FileName, int Errno)
    : StreamError("Cannot open file \"" + FileName + "\". " + std::strerror(Errno)) {}

StreamCreateError::StreamCreateError(const std::string& FileName, int Errno)
    : StreamError("Cannot create file \"" + FileName + "\". " + std::strerror(Errno)) {}

StreamWriteError::StreamWriteError() : StreamError("Stream write error") {}

}  // namespace drumlin
