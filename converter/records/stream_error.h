// Errors of the record file stream. The texts are the ones the user sees:
// they end a batch with a message on standard error.
#pragma once

#include <stdexcept>
#include <string>

namespace drumlin {

class StreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Cannot open file "<name>". <reason>"
class StreamOpenError : public StreamError {
 public:
  StreamOpenError(const std::string& FileName, int Errno);
};

// "Cannot create file "<name>". <reason>"
class StreamCreateError : public StreamError {
 public:
  StreamCreateError(const std::string& FileName, int Errno);
};

// "Stream write error"
class StreamWriteError : public StreamError {
 public:
  StreamWriteError();
};

}  // namespace drumlin
