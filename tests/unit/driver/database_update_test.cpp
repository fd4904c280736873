#include "driver/DatabaseUpdate.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ScanTestProject.h"
#include "database/Addresses.h"
#include "driver/FolderScan.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ScanTestProject;

class DatabaseUpdate : public ScanTestProject {
 protected:
  // Adds a link as the database file would hold it, with texts that no
  // extraction gives, so that a re-indexed link is told from one left alone.
  void AddLink(const std::string& url, int cat, std::vector<std::string> keys = {}) {
    TBaseRecord link;
    link.Cat = cat;
    link.Caption = "stale caption";
    link.URL = url;
    link.Desc = "stale description";
    link.Keys = KeyList(keys);
    project.Base.Add(link);
  }
  bool Untouched(int i) const {
    return project.Base.At(i).Caption == "stale caption" &&
           project.Base.At(i).Desc == "stale description";
  }
};

TEST_F(DatabaseUpdate, ReindexesLocalPagesInPlaceKeepingTheirCategory) {
  temp.Write("index.html", "<title>Home</title>");
  temp.Write("docs/a.html", "<title>A</title>");
  AddLink("index.html", 3);
  AddLink("docs%2Fa.html", 1);
  const UpdateResult result = UpdateDatabase(project);
  EXPECT_EQ(result.reindexed, 2);
  ASSERT_EQ(project.Base.Count(), 2);
  EXPECT_FALSE(Untouched(0));
  EXPECT_FALSE(Untouched(1));
  EXPECT_EQ(project.Base.At(0).Cat, 3);
  EXPECT_EQ(project.Base.At(1).Cat, 1);
  EXPECT_EQ(project.Base.At(1).URL, "docs%2Fa.html");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatabaseUpdate, MissingPageIsReportedAndKept) {
  AddLink("docs%2Fa.html", 1);
  const UpdateResult result = UpdateDatabase(project);
  EXPECT_EQ(result.missing, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Warning");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(ui.messages[0].text, "The page docs/a.html is not found.");
  EXPECT_TRUE(Untouched(0));
}

TEST_F(DatabaseUpdate, LinksItLeavesAlone) {
  temp.Write("kept.html", "page");
  AddLink("kept.html", 0, {"~", "word"});                  // marked, file present
  AddLink("gone.html", 0, {"word", "dont_update"});        // marked, file missing: no message
  AddLink("http://example.org/a.html", 0);                 // remote, stored as typed
  AddLink("http%3A%2F%2Fexample.org%2Fb.html", 0);         // remote, percent-encoded
  AddLink("ftp%3A%2F%2Fexample.org%2Ffile.txt", 0);
  AddLink("style.css", 0);                                 // extension not listed: no message
  const UpdateResult result = UpdateDatabase(project);
  EXPECT_EQ(result.reindexed, 0);
  EXPECT_TRUE(ui.messages.empty());
  for (int i = 0; i < project.Base.Count(); ++i) EXPECT_TRUE(Untouched(i)) << i;
}

TEST_F(DatabaseUpdate, ProgressShowsTheTotalThroughout) {
  temp.Write("a.html", "a");
  temp.Write("b.html", "b");
  AddLink("a.html", 0);
  AddLink("style.css", 0);
  AddLink("b.html", 0);
  UpdateDatabase(project);
  EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{temp / "a.html" + "\r\nFiles indexed: 3",
                                                         temp / "b.html" + "\r\nFiles indexed: 3"}));
}

TEST_F(DatabaseUpdate, AwkwardNamesAreFound) {
  for (const char* name : {"100%.html", "with blank.html", "café/ü#?.html"}) {
    temp.Write(name, "page");
    AddLink(UrlOf(name), 0);
  }
  EXPECT_EQ(UpdateDatabase(project).reindexed, 3);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatabaseUpdate, StopKeepsWhatWasReindexed) {
  for (int i = 0; i < 10; ++i) {
    temp.Write("p" + std::to_string(i) + ".html", "page");
    AddLink("p" + std::to_string(i) + ".html", 0);
  }
  ui.onProcessEvents = [&] {
    if (ui.processEventsCalls == 4) project.StopRequested = true;
  };
  EXPECT_EQ(UpdateDatabase(project).reindexed, 3);
  EXPECT_EQ(ui.processEventsCalls, 4);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Untouched(i), i >= 3) << i;
}

TEST_F(DatabaseUpdate, AbsoluteAddressesOutsideTheProject) {
  test::TempFolder elsewhere;
  const std::string page = elsewhere.Write("page.html", "page");
  AddLink(MakeLinkURL(project.DatabaseFile, page, false), 0);  // "../qmtest-.../page.html"
  AddLink(EncodeURL(page), 0);                                   // an absolute path
  EXPECT_EQ(UpdateDatabase(project).reindexed, 2);
}

}  // namespace
}  // namespace qm
