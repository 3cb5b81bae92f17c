// A picture written whole or not at all: the drawing goes into a new hidden
// file in the target's folder, which takes the target's name by one rename
// only once it holds a complete picture. The file is removed on every other
// way out: failure, an exception, and an interrupt or termination signal.
#pragma once

#include <string>

#include "msd_plot/options.h"

namespace viewer {

class PictureFile {
 public:
  // Creates the temporary file; Problem() is set when that fails.
  explicit PictureFile(std::string Target);
  ~PictureFile();
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  // Where to draw (empty when the temporary could not be made).
  const std::string& TemporaryName() const { return Temporary_; }
  // Checks that the drawing is a complete picture of its kind, gives it the
  // permission bits a new file gets (or the replaced file's), syncs it and
  // renames it to the target. On failure the temporary is removed.
  bool Commit(PictureKind Kind);
  const std::string& Problem() const { return Problem_; }

 private:
  std::string Target_;
  std::string Temporary_;
  std::string Problem_;
  bool Committed_ = false;
};

// Removes the temporary picture of the running program, if there is one;
// for exit paths that leave no chance to unwind (the drawing library's own
// error exit). Safe in a signal handler.
void RemoveTemporaryPicture();

// True when Bytes hold a complete picture of Kind: the PNG signature and
// closing IEND chunk, an SVG ending with </svg>, a PDF with its %%EOF.
bool IsWholePicture(const std::string& Bytes, PictureKind Kind);

}  // namespace viewer
