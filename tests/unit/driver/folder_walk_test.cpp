#include "driver/FolderWalk.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ScanTestProject.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

struct Visit {
  std::vector<std::string> files;    // folder + name of regular files, in walk order
  std::vector<std::string> folders;  // folder + name of folders offered
  std::map<std::string, EntryKind> kinds;
};

Visit Walk(const std::string& folder, bool enter = true) {
  Visit visit;
  FolderWalkHandlers handlers;
  handlers.enterFolder = [&](const std::string& parent, const std::string& name) {
    visit.folders.push_back(parent + name);
    return enter;
  };
  handlers.entry = [&](const std::string& parent, const std::string& name, EntryKind kind) {
    visit.kinds[parent + name] = kind;
    if (kind == EntryKind::File) visit.files.push_back(parent + name);
  };
  WalkFolder(folder, handlers);
  return visit;
}

TEST(FolderWalk, VisitsEveryFolderDepthFirst) {
  TempFolder temp;
  temp.Write("a.html", "");
  temp.Write("sub/b.html", "");
  temp.Write("sub/deeper/c.html", "");
  temp.Write("sub/deeper/d.html", "");
  temp.Write("other/e.html", "");
  fs::create_directories(temp / "empty");
  const Visit visit = Walk(temp.path());
  EXPECT_EQ(visit.files.size(), 5u);
  EXPECT_EQ(visit.folders.size(), 4u);
  // Depth first: a subfolder's whole tree comes between its parent's
  // neighbouring entries, so the files of sub/ are contiguous.
  std::vector<size_t> inSub;
  for (size_t i = 0; i < visit.files.size(); ++i) {
    if (visit.files[i].find("/sub/") != std::string::npos) inSub.push_back(i);
  }
  ASSERT_EQ(inSub.size(), 3u);
  EXPECT_EQ(inSub.back() - inSub.front(), 2u);
}

TEST(FolderWalk, NotEnteringAFolderSkipsItsTree) {
  TempFolder temp;
  temp.Write("a.html", "");
  temp.Write("sub/b.html", "");
  const Visit visit = Walk(temp.path(), false);
  EXPECT_EQ(visit.files, std::vector<std::string>{temp / "a.html"});
  EXPECT_EQ(visit.folders, std::vector<std::string>{temp / "sub"});
}

TEST(FolderWalk, KindsOfEntries) {
  TempFolder temp;
  temp.Write("real/page.html", "");
  fs::create_symlink(temp / "real/page.html", temp / "linked.html");
  fs::create_symlink(temp / "nowhere.html", temp / "dangling.html");
  ASSERT_EQ(::mkfifo((temp / "pipe.html").c_str(), 0600), 0);
  fs::create_directory_symlink(temp / "real", temp / "linkedfolder");
  const Visit visit = Walk(temp.path());
  EXPECT_EQ(visit.kinds.at(temp / "linked.html"), EntryKind::File);
  EXPECT_EQ(visit.kinds.at(temp / "dangling.html"), EntryKind::Other);
  EXPECT_EQ(visit.kinds.at(temp / "pipe.html"), EntryKind::Other);
  // A link to a folder elsewhere is a folder and is walked.
  EXPECT_TRUE(visit.kinds.count(temp / "linkedfolder/page.html"));
}

TEST(FolderWalk, SymbolicLinkLoopsAreNotFollowed) {
  TempFolder temp;
  temp.Write("a/b/page.html", "");
  fs::create_directory_symlink("..", temp / "a/b/up");         // back to a/
  fs::create_directory_symlink(temp.path(), temp / "a/root");  // back to the start
  fs::create_directory_symlink(".", temp / "a/b/self");        // to itself
  const Visit visit = Walk(temp.path());
  EXPECT_EQ(visit.files, std::vector<std::string>{temp / "a/b/page.html"});
}

TEST(FolderWalk, LinksBetweenSiblingsAreWalkedBothWays) {
  // Not a loop: each side is entered once through the other.
  TempFolder temp;
  temp.Write("x/x.html", "");
  temp.Write("y/y.html", "");
  fs::create_directory_symlink(temp / "y", temp / "x/to-y");
  fs::create_directory_symlink(temp / "x", temp / "y/to-x");
  const Visit visit = Walk(temp.path());
  // x/x.html, x/to-y/y.html, y/y.html, y/to-x/x.html; the links back
  // (x/to-y/to-x, y/to-x/to-y) lead to a folder on the way down.
  EXPECT_EQ(visit.files.size(), 4u);
}

TEST(FolderWalk, ThousandLevelsDeep) {
  TempFolder temp;
  std::string relative;
  for (int level = 0; level < 1000; ++level) relative += "d/";
  fs::create_directories(temp / relative);
  temp.Write(relative + "deep.html", "");
  temp.Write("top.html", "");
  const Visit visit = Walk(temp.path());
  EXPECT_EQ(visit.files.size(), 2u);
  EXPECT_EQ(visit.folders.size(), 1000u);
}

TEST(FolderWalk, StopEndsTheWalkBeforeTheNextEntry) {
  TempFolder temp;
  for (int i = 0; i < 10; ++i) temp.Write("f" + std::to_string(i) + ".html", "");
  int seen = 0;
  FolderWalkHandlers handlers;
  handlers.stopRequested = [&] { return seen == 3; };
  handlers.entry = [&](const std::string&, const std::string&, EntryKind) { ++seen; };
  WalkFolder(temp.path(), handlers);
  EXPECT_EQ(seen, 3);
}

TEST(FolderWalk, MissingOrUnreadableFolderGivesNothing) {
  TempFolder temp;
  EXPECT_TRUE(Walk(temp / "missing/").files.empty());
  temp.Write("file.html", "");
  EXPECT_TRUE(Walk(temp / "file.html/").files.empty());

  temp.Write("locked/secret.html", "");
  temp.Write("open.html", "");
  ::chmod((temp / "locked").c_str(), 0);
  // file.html and open.html; the locked folder is offered but gives nothing.
  EXPECT_EQ(test::RunUnprivileged(temp.path(), [&] {
              const Visit visit = Walk(temp.path());
              return static_cast<int>(visit.files.size() * 10 + visit.folders.size());
            }),
            21);
}

}  // namespace
}  // namespace qm
