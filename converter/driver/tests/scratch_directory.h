// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace drumlin {

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string Template = ::testing::TempDir() + "drumlin_XXXXXX";
    if (mkdtemp(Template.data()) == nullptr) throw std::runtime_error("mkdtemp");
    Path_ = Template + "/";
  }
  ~ScratchDirectory() { std::filesystem::remove_all(Path_); }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // Ends with '/'.
  const std::string& Path() const { return Path_; }
  void AddFile(const std::string& Name) const { std::ofstream(Path_ + Name).put('x'); }
  void AddDirectory(const std::string& Name) const {
    std::filesystem::create_directory(Path_ + Name);
  }
  void AddLink(const std::string& Name, const std::string& Target) const {
    std::filesystem::create_symlink(Target, Path_ + Name);
  }

 private:
  std::string Path_;
};

}  // namespace drumlin
