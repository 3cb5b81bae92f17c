// The output names of one batch: each input's miniSEED file beside it or in
// the "/o:" directory (made absolute and created once, with its parents), and
// the names the batch has claimed, so that two inputs never write one output.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace drumlin {

// An absolute directory name ending in '/', with a leading '~' or '~user'
// expanded as a shell expands it and the "." and ".." components resolved.
std::string AbsoluteDirectory(std::string Dir);

class OutputNames {
 public:
  // Takes the "/o:" switch of the command line.
  OutputNames();

  // The output of InputName (a path as the batch loop builds it): data.YCF
  // and data.ycf become data.msd, any other name gets ".msd" appended. The
  // output directory is created with the first name asked for; a failure
  // shows when the output is created.
  std::string For(const std::string& InputName);

  // Claims Output for Input. Returns the input that claimed it earlier in
  // the batch, if any (the claim then stays with that one).
  std::optional<std::string> Claim(const std::string& Output, const std::string& Input);

 private:
  std::string Directory_;  // absolute, ending in '/'; empty: beside the input
  bool Created_ = false;
  std::unordered_map<std::string, std::string> Claimed_;
};

}  // namespace drumlin
