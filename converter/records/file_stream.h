// The output file of one conversion. Records are written to a new file in
// the output's directory, and only when the last one is written does Finish
// put that file in place of the name, with one rename. At every instant the
// name holds either the older complete file or the new complete one: an
// interrupted or failed conversion leaves an older output as it was, and a
// name that is a symbolic link is replaced, never written through.
//
// An output name that is a FIFO or a device (no file to replace) is written
// straight through, as it stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/record_sink.h"

namespace drumlin {

class FileStream : public RecordSink {
 public:
  // Prepares the new file for FileName. Raises StreamCreateError when the
  // name cannot take a new file: its directory is missing or not writable,
  // the name is a directory, or an existing file there cannot be opened for
  // writing (the file it would replace stays as it is).
  //
  // OwnTemporaryName, when given, is the one name the new file takes before
  // it replaces FileName (where it needs one): the caller holds a lock that
  // makes that name its own, so a file left under it by a process that was
  // killed is simply replaced.
  explicit FileStream(const std::string& FileName, const std::string& OwnTemporaryName = "");
  // Without Finish, the new file is removed and the name left alone.
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  // Writes all Size bytes or raises StreamWriteError with the system's reason.
  void WriteBuffer(const void* Data, std::size_t Size);
  // Records are written as they come.
  void TakeRecords(const uint8_t* Records, std::size_t Count) override;
  // Writes Length bytes of the file Source from Offset on, copied within the
  // system where it can; raises StreamWriteError as WriteBuffer does.
  void CopyFrom(int Source, uint64_t Offset, uint64_t Length);

  // Puts the new file in place of the name: its data synced to the disk when
  // it replaces an older file, the older file's permission bits, one rename.
  // Raises StreamWriteError when any of it fails; the name then keeps what
  // it held before.
  void Finish();

  const std::string& FileName() const { return FileName_; }

 private:
  void Discard();
  // Removes the new file and raises StreamWriteError with Error.
  [[noreturn]] void Fail(int Error);
  void CloseOrFail();
  // Gives the unnamed new file the name Name; false (errno set) when it
  // cannot have it.
  bool LinkUnnamedAs(const std::string& Name) const;
  // The name the new file takes for itself at the given attempt.
  std::string TemporaryNameFor(unsigned Attempt) const;

  std::string FileName_;
  std::string OwnTemporaryName_;
  std::string TempName_;  // the new file's own name, empty while it has none
  int Fd_ = -1;
  bool ThroughDevice_ = false;  // a FIFO or device, written in place
  bool Replaces_ = false;       // an older file stands under the name
  unsigned Mode_ = 0;           // permission bits of the file put in place
};

}  // namespace drumlin
