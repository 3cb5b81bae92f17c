// Errors of the record file stream. The texts are the ones the user sees:
// they end a batch with a message on standard error.
#pragma once

#include <stdexcept>
#include <string>

namespace drumlin {

class StreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // What the message on standard error adds to the text: the file and the
  // system's reason where the text does not name them itself.
  virtual std::string Context() const { return ""; }
};

// "Cannot open file "<name>". <reason>"
class StreamOpenError : public StreamError {
 public:
  StreamOpenError(const std::string& FileName, int Errno);
  StreamOpenError(const std::string& FileName, const std::string& Reason);
};

// "Cannot create file "<name>". <reason>"
class StreamCreateError : public StreamError {
 public:
  StreamCreateError(const std::string& FileName, int Errno);
  StreamCreateError(const std::string& FileName, const std::string& Reason);
};

// "Stream write error", with the file written and the system's reason.
class StreamWriteError : public StreamError {
 public:
  StreamWriteError(const std::string& FileName, int Errno);
  std::string Context() const override;
  int Errno() const { return Errno_; }

 private:
  std::string FileName_;
  int Errno_;
};

}  // namespace drumlin
