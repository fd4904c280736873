#include "driver/DatabaseCommands.h"

#include <gtest/gtest.h>

#include <string>

#include "database/DatabaseFile.h"
#include "driver/Project.h"
#include "platform/Folders.h"
#include "support/FaultyEnv.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::ReadFile;
using test::TempFolder;

const std::string kCannotSave(kCannotSaveMessage);
const std::string kNoDatabase(kNoDatabaseMessage);

std::string DatabaseFile(const std::string& head, const std::string& block, const std::string& tail) {
  return head + "//Settings\r\n" + block + "//DatabaseEnd\r\n" + tail;
}

const std::string kBlock =
    "//v2format\r\nvar cg=new Array(\r\n'All',\r\n'News'\r\n);\r\n"
    "var ln=new Array(\r\n'1^First^a.html',\r\n'0^Second^b.html'\r\n);\r\n"
    "var ds=new Array(\r\n'd1',\r\n'd2'\r\n);\r\nvar kw=new Array(\r\n'^k1^',\r\n'^k2^'\r\n);\r\n";
const std::string kImportBlock =
    "//v2format\r\nvar cg=new Array(\r\n'Other'\r\n);\r\n"
    "var ln=new Array(\r\n'7^Imported^c.html'\r\n);\r\nvar ds=new Array(\r\n'd3'\r\n);\r\n"
    "var kw=new Array(\r\n'^k3^'\r\n);\r\n";

class DatabaseCommands : public testing::Test {
 protected:
  DatabaseCommands() { InitProject(project, ui, env); }
  ~DatabaseCommands() override { FreeProject(project); }

  TempFolder temp;
  test::ScriptedInteraction ui;
  test::FaultyEnv env;
  Project project;
};

TEST_F(DatabaseCommands, OpenDatabaseMakesTheFileCurrentAndLoadsIt) {
  const std::string path = temp.Write("site/searchdb.js", DatabaseFile("var a;\r\n", kBlock, ""));
  project.Cat.Add("stale");
  project.Base.Add(TBaseRecord{});
  OpenDatabase(project, path);
  EXPECT_EQ(project.DatabaseFile, path);
  EXPECT_EQ(project.Cat.Items(), (std::vector<std::string>{"All", "News"}));
  ASSERT_EQ(project.Base.Count(), 2);
  EXPECT_EQ(project.Base.Get(0).Caption, "First");
  EXPECT_EQ(project.Base.Get(1).Keys, KeyList{"k2"});
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatabaseCommands, OpeningAMissingOrForeignFileGivesAnEmptyDatabaseQuietly) {
  const std::string foreign = temp.Write("notes.txt", "just some text, no arrays");
  for (const std::string& path : {temp / "missing.js", foreign, temp.path()}) {
    project.Cat.Add("stale");
    project.Base.Add(TBaseRecord{});
    OpenDatabase(project, path);
    EXPECT_EQ(project.DatabaseFile, path);
    EXPECT_EQ(project.Cat.Count(), 0) << path;
    EXPECT_EQ(project.Base.Count(), 0) << path;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatabaseCommands, ImportLinksAppendsLinksWithTheirOwnCategoryNumbers) {
  const std::string path = temp.Write("searchdb.js", DatabaseFile("", kBlock, ""));
  const std::string other = temp.Write("other.js", DatabaseFile("", kImportBlock, ""));
  OpenDatabase(project, path);
  project.Cat.Add("Third");
  ImportLinks(project, other);
  EXPECT_EQ(project.DatabaseFile, path);
  EXPECT_EQ(project.Cat.Items(), (std::vector<std::string>{"All", "News", "Third"}));
  ASSERT_EQ(project.Base.Count(), 3);
  EXPECT_EQ(project.Base.Get(2).Cat, 7);
  EXPECT_EQ(project.Base.Get(2).Desc, "d3");
  EXPECT_EQ(project.Base.Get(2).Keys, KeyList{"k3"});
  EXPECT_EQ(project.Base.Get(0).Desc, "d1");
}

TEST_F(DatabaseCommands, SaveDatabaseWritesTheCurrentFileAndReportsFailures) {
  const std::string path = temp.Write("searchdb.js", DatabaseFile("head\r\n", kBlock, "tail"));
  OpenDatabase(project, path);
  project.Cat.Put(1, "Renamed");
  EXPECT_TRUE(SaveDatabase(project));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ReadFile(path).substr(0, 18), "head\r\n//Settings\r\n");
  EXPECT_NE(ReadFile(path).find("'Renamed'"), std::string::npos);
  EXPECT_EQ(ReadFile(path).substr(ReadFile(path).size() - 4), "tail");

  const std::string before = ReadFile(path);
  env.failSync = true;
  project.Cat.Put(1, "Lost");
  EXPECT_FALSE(SaveDatabase(project));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kCannotSave);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(DatabaseCommands, SaveDatabaseAsCopiesTheCurrentFileAndSavesIntoTheCopy) {
  const std::string path = temp.Write("searchdb.js", DatabaseFile("current head\r\n", kBlock, "current tail"));
  const std::string target = temp.Write("copy/new.js", "an older file of that name");
  OpenDatabase(project, path);
  const std::string original = ReadFile(path);
  project.Cat.Add("Added");
  EXPECT_TRUE(SaveDatabaseAs(project, target));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(project.DatabaseFile, target);
  const std::string saved = ReadFile(target);
  EXPECT_EQ(saved.rfind("current head\r\n//Settings\r\n", 0), 0u);
  EXPECT_NE(saved.find("'Added'"), std::string::npos);
  EXPECT_EQ(saved.substr(saved.size() - 12), "current tail");
  EXPECT_EQ(ReadFile(path), original);  // the old file is left as it was
  EXPECT_FALSE(FileExists(target + "~copy~"));

  // Save as the current file itself is a plain save.
  EXPECT_TRUE(SaveDatabaseAs(project, target));
  EXPECT_EQ(ReadFile(target), saved);
}

TEST_F(DatabaseCommands, SaveDatabaseAsWithoutACurrentFileReportsTheFailure) {
  project.DatabaseFile = temp / "never-created.js";
  EXPECT_FALSE(SaveDatabaseAs(project, temp / "new.js"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kCannotSave);
  EXPECT_EQ(project.DatabaseFile, temp / "new.js");
  EXPECT_FALSE(FileExists(temp / "new.js"));
}

TEST_F(DatabaseCommands, ExportDatabaseReplacesTheBlockOfAnotherDatabaseFile) {
  const std::string path = temp.Write("searchdb.js", DatabaseFile("", kBlock, ""));
  const std::string other = temp.Write("other.js", DatabaseFile("other head\r\n", kImportBlock, "other tail"));
  OpenDatabase(project, path);
  EXPECT_TRUE(ExportDatabase(project, other));
  EXPECT_EQ(project.DatabaseFile, other);
  const std::string exported = ReadFile(other);
  EXPECT_EQ(exported.rfind("other head\r\n//Settings\r\n", 0), 0u);
  EXPECT_NE(exported.find("'1^First^a.html'"), std::string::npos);
  EXPECT_EQ(exported.find("Imported"), std::string::npos);
  EXPECT_EQ(exported.substr(exported.size() - 10), "other tail");
}

TEST_F(DatabaseCommands, ExportingToAMissingFileFailsNowAndOnLaterSaves) {
  const std::string path = temp.Write("searchdb.js", DatabaseFile("", kBlock, ""));
  OpenDatabase(project, path);
  EXPECT_FALSE(ExportDatabase(project, temp / "missing.js"));
  EXPECT_EQ(project.DatabaseFile, temp / "missing.js");
  EXPECT_FALSE(SaveDatabase(project));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, kCannotSave);
  EXPECT_EQ(ui.messages[1].text, kCannotSave);
  EXPECT_FALSE(FileExists(temp / "missing.js"));
}

TEST_F(DatabaseCommands, ExportingToAFileWithoutADatabaseLeavesItAlone) {
  const std::string path = temp.Write("searchdb.js", DatabaseFile("", kBlock, ""));
  const std::string page = temp.Write("page.js", "var x=1;\r\n//DatabaseEnd\r\n");
  OpenDatabase(project, path);
  EXPECT_FALSE(ExportDatabase(project, page));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kNoDatabase);
  EXPECT_EQ(ReadFile(page), "var x=1;\r\n//DatabaseEnd\r\n");
}

}  // namespace
}  // namespace qm
