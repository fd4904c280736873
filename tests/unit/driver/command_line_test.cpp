#include "driver/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ScanTestProject.h"

namespace qm {
namespace {

using test::ScanTestProject;
using Args = std::vector<std::string>;

TEST(CommandLineModes, ChosenByTheArguments) {
  struct Case {
    Args args;
    CommandLineMode mode;
  } cases[] = {
      {{}, CommandLineMode::None},
      {{"db.js"}, CommandLineMode::Open},
      {{"db.js", "update"}, CommandLineMode::Update},
      {{"db.js", "UPDATE"}, CommandLineMode::Update},
      {{"db.js", "AddSite"}, CommandLineMode::AddSite},
      {{"db.js", "addsite", "/site/", "2", "y", "y"}, CommandLineMode::ScanAndAddSite},
      {{"db.js", "ADDSITE", "/site/", "2", "y", "y"}, CommandLineMode::ScanAndAddSite},
      {{"db.js", "update", "x"}, CommandLineMode::Open},
      {{"db.js", "addsite", "/site/"}, CommandLineMode::Open},
      {{"db.js", "addsite", "/site/", "2"}, CommandLineMode::Open},
      {{"db.js", "addsite", "/site/", "2", "y"}, CommandLineMode::Open},
      {{"db.js", "addsite", "/site/", "2", "y", "y", "y"}, CommandLineMode::Open},
      {{"db.js", "update", "/site/", "2", "y", "y"}, CommandLineMode::Open},
      {{"db.js", "other"}, CommandLineMode::Open},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineModeOf(c.args), c.mode) << ::testing::PrintToString(c.args);
  }
}

TEST(CommandLineModes, ScanArguments) {
  auto scan = ParseScanArguments({"db.js", "addsite", "/site/docs/", "2", "Y", "y"});
  ASSERT_TRUE(scan);
  EXPECT_EQ(scan->folder, "/site/docs/");
  EXPECT_EQ(scan->category, 2);
  EXPECT_FALSE(scan->recurse);  // not exactly "y"
  EXPECT_TRUE(scan->known);
  // Only the folder part of the third argument counts.
  EXPECT_EQ(ParseScanArguments({"db.js", "addsite", "/site/page.html", "0", "y", "n"})->folder,
            "/site/");
  EXPECT_EQ(ParseScanArguments({"db.js", "addsite", "/site", "0", "y", "n"})->folder, "/");
  EXPECT_EQ(ParseScanArguments({"db.js", "addsite", "/s/", "-1", "y", "n"})->category, -1);
  for (const char* bad : {"", "x", "2x", " 2", "2.0", "99999999999"}) {
    EXPECT_FALSE(ParseScanArguments({"db.js", "addsite", "/s/", bad, "y", "y"})) << bad;
  }
}

class CommandLine : public ScanTestProject {
 protected:
  CommandLine() {
    hooks.databaseOpened = [&] { calls.push_back("opened"); };
    hooks.showProgress = [&] { calls.push_back("show progress"); };
    hooks.closeProgress = [&] { calls.push_back("close progress"); };
    hooks.refreshView = [&](bool full) { calls.push_back(full ? "refresh full" : "refresh"); };
    hooks.addSite = [&] { calls.push_back("add site " + std::to_string(project.Base.Count())); };
  }
  std::string Database() const { return test::ReadFile(temp / "searchdb.js"); }

  WindowHooks hooks;
  std::vector<std::string> calls;
};

TEST_F(CommandLine, DatabaseAloneIsOpenedOnly) {
  temp.Write("page.html", "page");
  EXPECT_EQ(RunCommandLine(project, {temp / "searchdb.js"}, hooks), CommandLineMode::Open);
  EXPECT_EQ(calls, Args{"opened"});
  EXPECT_EQ(project.DatabaseFile, temp / "searchdb.js");
  EXPECT_TRUE(project.SavedFlag);
  EXPECT_EQ(Database(), test::kEmptyDatabase);
}

TEST_F(CommandLine, UpdateReindexesAndSaves) {
  temp.Write("page.html", "<title>Page</title>");
  temp.Write("searchdb.js",
             "//Settings\n//v2format\nvar cg=new Array(\n'All'\n);\nvar ln=new Array(\n'0^stale^page.html',\n"
             "'0^gone^gone.html'\n);\nvar ds=new Array(\n'stale',\n'gone'\n);\n"
             "var kw=new Array(\n'^^',\n'^^'\n);\n//DatabaseEnd\n");
  RunCommandLine(project, {temp / "searchdb.js", "Update"}, hooks);
  EXPECT_EQ(calls, (Args{"opened", "show progress", "close progress", "refresh"}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "The page gone.html is not found.");
  EXPECT_TRUE(project.SavedFlag);
  EXPECT_TRUE(project.StopRequested);  // set by the frame when the update ended
  const std::string saved = Database();
  EXPECT_EQ(saved.find("stale"), std::string::npos);
  EXPECT_NE(saved.find("gone.html"), std::string::npos);
}

TEST_F(CommandLine, AddSiteRunsTheCommandAndSaves) {
  RunCommandLine(project, {temp / "searchdb.js", "addsite"}, hooks);
  EXPECT_EQ(calls, (Args{"opened", "add site 0"}));
  EXPECT_TRUE(project.SavedFlag);
}

TEST_F(CommandLine, SixArgumentsScanThenRunTheCommandAndSave) {
  temp.Write("site/a.html", "a");
  temp.Write("site/sub/b.html", "b");
  RunCommandLine(project, {temp / "searchdb.js", "addsite", temp / "site/", "2", "Y", "y"}, hooks);
  EXPECT_EQ(calls, (Args{"opened", "show progress", "close progress", "refresh full",
                         "add site 1"}));  // no recursion: the fifth argument is not "y"
  EXPECT_EQ(Urls(), Args{"site%2Fa.html"});
  EXPECT_EQ(project.Base.At(0).Cat, 2);
  EXPECT_TRUE(project.SavedFlag);
  EXPECT_NE(Database().find("site%2Fa.html"), std::string::npos);
}

TEST_F(CommandLine, CategoryThatIsNoNumberScansNothingAndSavesNothing) {
  temp.Write("site/a.html", "a");
  RunCommandLine(project, {temp / "searchdb.js", "addsite", temp / "site/", "two", "y", "y"}, hooks);
  EXPECT_EQ(calls, Args{"opened"});  // no progress window left behind
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  EXPECT_EQ(project.Base.Count(), 0);
  EXPECT_EQ(Database(), test::kEmptyDatabase);
}

TEST_F(CommandLine, FailedSaveLeavesTheDatabaseUnsaved) {
  temp.Write("site/a.html", "a");
  const std::string missing = temp / "missing/searchdb.js";
  RunCommandLine(project, {missing, "addsite", temp / "site/", "0", "y", "y"}, hooks);
  EXPECT_EQ(project.Base.Count(), 1);
  EXPECT_FALSE(project.SavedFlag);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().caption, "Error");
}

}  // namespace
}  // namespace qm
