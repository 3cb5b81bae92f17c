// A fresh directory for one test under the system's temporary directory,
// removed with everything in it at the end of the scope.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace drumlin::test {

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string Template = (std::filesystem::temp_directory_path() / "drumlin-XXXXXX").string();
    if (::mkdtemp(Template.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Path_ = Template + "/";
  }
  ~ScratchDirectory() {
    std::error_code Ignored;
    std::filesystem::permissions(Path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Ignored);
    std::filesystem::remove_all(Path_, Ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The directory's name, ending with '/'.
  const std::string& Path() const { return Path_; }
  // The name of an entry in it.
  std::string File(const std::string& Name) const { return Path_ + Name; }

  void AddFile(const std::string& Name) const { std::ofstream(File(Name)).put('x'); }
  void AddDirectory(const std::string& Name) const {
    std::filesystem::create_directory(File(Name));
  }
  void AddLink(const std::string& Name, const std::string& Target) const {
    std::filesystem::create_symlink(Target, File(Name));
  }

 private:
  std::string Path_;
};

}  // namespace drumlin::test
