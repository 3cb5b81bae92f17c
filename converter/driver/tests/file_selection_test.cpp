#include "driver/file_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "testsupport/scratch_directory.h"

namespace drumlin {
namespace {

using test::ScratchDirectory;

TEST(FileSelection, SplitsArgumentAtLastSlash) {
  const std::tuple<const char*, const char*, const char*> Cases[] = {
      {"data.YCF", "", "data.YCF"},
      {"in/data.YCF", "in/", "data.YCF"},
      {"/a/b/*.YCF", "/a/b/", "*.YCF"},
      {"/", "/", ""},
      {"dir/", "dir/", ""},
  };
  for (const auto& [Argument, Directory, Pattern] : Cases) {
    const FilePattern Split = SplitFilePattern(Argument);
    EXPECT_EQ(Split.Directory, Directory);
    EXPECT_EQ(Split.Pattern, Pattern);
  }
}

// The entries of a directory in the order the system lists them.
std::vector<std::string> ListingOrder(const std::string& Path) {
  std::vector<std::string> Names;
  for (const auto& Entry : std::filesystem::directory_iterator(Path))
    Names.push_back(Entry.path().filename().string());
  return Names;
}

struct PatternCase {
  const char* Pattern;
  std::set<std::string> Selected;
};

TEST(FileSelection, MatchesShellPatternsSkippingDirectories) {
  ScratchDirectory Scratch;
  for (const char* Name : {"a.YCF", "b.YCF", "B.ycf", ".hidden.YCF", "c1.YCF", "c2.YCF", "notes"})
    Scratch.AddFile(Name);
  Scratch.AddDirectory("sub.YCF");
  Scratch.AddLink("dirlink.YCF", Scratch.Path() + "sub.YCF");
  Scratch.AddLink("filelink.YCF", Scratch.Path() + "a.YCF");
  Scratch.AddLink("dangling.YCF", Scratch.Path() + "missing");

  const PatternCase Cases[] = {
      {"*.YCF",
       {"a.YCF", "b.YCF", ".hidden.YCF", "c1.YCF", "c2.YCF", "filelink.YCF", "dangling.YCF"}},
      {"*",
       {"a.YCF", "b.YCF", "B.ycf", ".hidden.YCF", "c1.YCF", "c2.YCF", "notes", "filelink.YCF",
        "dangling.YCF"}},
      {"b.*", {"b.YCF"}},  // letter case significant
      {"c?.YCF", {"c1.YCF", "c2.YCF"}},
      {"[ab].YCF", {"a.YCF", "b.YCF"}},
      {"[!a]*.YCF", {"b.YCF", ".hidden.YCF", "c1.YCF", "c2.YCF", "filelink.YCF", "dangling.YCF"}},
      {"notes", {"notes"}},
      {"sub.YCF", {}},
      {"x*", {}},
  };
  const std::vector<std::string> Listing = ListingOrder(Scratch.Path());
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Pattern);
    std::vector<std::string> Expected;
    std::copy_if(Listing.begin(), Listing.end(), std::back_inserter(Expected),
                 [&](const std::string& Name) { return C.Selected.count(Name) != 0; });
    EXPECT_EQ(SelectFiles({Scratch.Path(), C.Pattern}), Expected);
  }
}

TEST(FileSelection, UnreadableDirectorySelectsNothing) {
  ScratchDirectory Scratch;
  EXPECT_TRUE(SelectFiles({Scratch.Path() + "missing/", "*"}).empty());
  Scratch.AddFile("plain");
  EXPECT_TRUE(SelectFiles({Scratch.Path() + "plain/", "*"}).empty());
}

}  // namespace
}  // namespace drumlin
