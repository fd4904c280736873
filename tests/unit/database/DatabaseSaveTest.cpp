#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "database/DatabaseFile.h"
#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Folders.h"
#include "support/ChildProcess.h"
#include "support/FaultyEnv.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::FaultyEnv;
using test::ReadFile;
using test::ScriptedInteraction;
using test::TempFolder;

const std::string kCannotSave(kCannotSaveMessage);
const std::string kNoDatabase(kNoDatabaseMessage);

std::string Fixture(const std::string& name) { return ReadFile(std::string(QUILLMARK_FIXTURES) + "/database/" + name); }

class DatabaseSave : public testing::Test {
 protected:
  DatabaseSave() {
    cat.Add("All Categories");
    cat.Add("Caf\xC3\xA9 'quoted'");
    TBaseRecord link;
    link.Cat = 1;
    link.Caption = "Page \\ one";
    link.URL = "docs%2Fone.html";
    link.Desc = "Line one\r\nline two";
    link.Keys = {"one", "page"};
    base.Add(link);
  }

  bool Save(const std::string& path, DatabaseMarkers markers = {}) {
    return SaveDatabaseFile(path, markers, cat, base, ui, env);
  }
  bool SaveWith(Env& fileSystem, const std::string& path) {
    return SaveDatabaseFile(path, DatabaseMarkers{}, cat, base, ui, fileSystem);
  }

  // The save failed with `message`, left `path` as `before` and no
  // temporary file, and restored the cursor.
  void ExpectFailed(bool saved, const std::string& message, const std::string& path,
                    const std::string& before) {
    EXPECT_FALSE(saved);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, message);
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_FALSE(FileExists(path + "~temp~"));
    EXPECT_FALSE(FileExists(path + "~temp1~"));
    EXPECT_EQ(ui.busyDepth, 0);
  }

  std::string Block() const { return WriteCategories(cat) + WriteLinks(base); }

  TempFolder temp;
  ScriptedInteraction ui;
  FaultyEnv env;
  TCat cat;
  TBase base;
};

TEST_F(DatabaseSave, ReplacesOnlyTheBlockAndKeepsPrefixAndSuffixByteForByte) {
  const std::string original = Fixture("template.js");
  ASSERT_FALSE(original.empty());
  const std::string path = temp.Write("searchdb.js", original);
  const size_t settings = original.find("//Settings") + 10 + 2;
  const size_t end = original.find("//DatabaseEnd");
  const std::string prefix = original.substr(0, settings);
  const std::string suffix = original.substr(end);

  ASSERT_TRUE(Save(path));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.busyDepth, 0);
  EXPECT_GT(ui.busyCalls, 0);
  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved, prefix + Block() + suffix);
  EXPECT_FALSE(FileExists(path + "~temp~"));

  // Saving again changes nothing; the model reads back as it was.
  ASSERT_TRUE(Save(path));
  EXPECT_EQ(ReadFile(path), saved);
  TCat catRead;
  TBase baseRead;
  catRead.LoadFromFile(path);
  baseRead.LoadFromFile(path);
  EXPECT_EQ(catRead.Items(), cat.Items());
  ASSERT_EQ(baseRead.Count(), 1);
  EXPECT_EQ(baseRead.Get(0).Desc, "Line one line two");
}

TEST_F(DatabaseSave, KeepsTheFilesAccessRights) {
  const std::string path = temp.Write("searchdb.js", Fixture("template.js"));
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(Save(path));
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

struct MarkerCase {
  const char* what;
  std::string file;
  std::string saved;  // empty: the save reports that no database is found
};

TEST_F(DatabaseSave, FindsTheMarkersIgnoringCase) {
  const std::string block = Block();
  const MarkerCase cases[] = {
      {"markers in other case", "a//SETTINGS\r\nold//databaseEND z", "a//SETTINGS\r\n" + block + "//databaseEND z"},
      {"the two bytes after the marker belong to the prefix", "//Settings//DatabaseEnd",
       "//Settings//" + block + "//DatabaseEnd"},
      {"only the first settings marker counts", "//Settings\r\nX//Settings\r\n//DatabaseEnd",
       "//Settings\r\n" + block + "//DatabaseEnd"},
      {"the end marker is looked for after the settings marker",
       "//DatabaseEnd//Settings\r\nold//DatabaseEnd!", "//DatabaseEnd//Settings\r\n" + block + "//DatabaseEnd!"},
      {"end marker but no settings marker", "var x;\r\n//DatabaseEnd\r\n", ""},
      {"settings marker but no end marker", "//Settings\r\nvar cg=new Array('a');\r\n", ""},
      {"end marker only before the settings marker", "//DatabaseEnd\r\n//Settings\r\n", ""},
      {"settings marker at the very end", "x//Settings", ""},
      {"a 0-byte file", "", ""},
      {"random bytes", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xFE", 18), ""},
  };
  for (const MarkerCase& c : cases) {
    SCOPED_TRACE(c.what);
    ui.messages.clear();
    const std::string path = temp.Write("searchdb.js", c.file);
    const bool saved = Save(path);
    if (c.saved.empty()) {
      ExpectFailed(saved, kNoDatabase, path, c.file);
    } else {
      EXPECT_TRUE(saved);
      EXPECT_TRUE(ui.messages.empty());
      EXPECT_EQ(ReadFile(path), c.saved);
    }
  }
}

TEST_F(DatabaseSave, UsesTheProjectsMarkers) {
  const std::string path = temp.Write("db.js", "head\r\n/*BEGIN*/\r\nold/*END*/tail");
  DatabaseMarkers markers;
  markers.settings = "/*begin*/";
  markers.end = "/*end*/";
  ASSERT_TRUE(Save(path, markers));
  EXPECT_EQ(ReadFile(path), "head\r\n/*BEGIN*/\r\n" + Block() + "/*END*/tail");
}

TEST_F(DatabaseSave, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  ExpectFailed(Save(temp / "missing.js"), kCannotSave, temp / "missing.js", "");
  EXPECT_FALSE(FileExists(temp / "missing.js"));

  ui.messages.clear();
  ASSERT_TRUE(ForceFolder(temp / "folder.js"));
  EXPECT_FALSE(Save(temp / "folder.js"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kCannotSave);
  EXPECT_TRUE(FolderExists(temp / "folder.js"));
  EXPECT_FALSE(FileExists(temp / "folder.js~temp~"));
}

struct FaultCase {
  const char* what;
  void (*inject)(FaultyEnv&, size_t fileSize);
};

TEST_F(DatabaseSave, AFailureAnywhereLeavesTheFileUntouched) {
  const FaultCase cases[] = {
      {"disk full at once", [](FaultyEnv& e, size_t) { e.writeLimit = 0; }},
      {"disk full in the prefix", [](FaultyEnv& e, size_t) { e.writeLimit = 5; }},
      {"disk full in the block", [](FaultyEnv& e, size_t size) { e.writeLimit = size / 2; }},
      {"disk full in the suffix", [](FaultyEnv& e, size_t size) { e.writeLimit = size - 1; }},
      {"flush fails", [](FaultyEnv& e, size_t) { e.failSync = true; }},
      {"close fails", [](FaultyEnv& e, size_t) { e.failClose = true; }},
      {"rename fails", [](FaultyEnv& e, size_t) { e.failRename = true; }},
      {"temporary file cannot be made", [](FaultyEnv& e, size_t) { e.failCreate = true; }},
      {"database file cannot be read", [](FaultyEnv& e, size_t) { e.failRead = true; }},
  };
  const std::string original = Fixture("template.js");
  // The size the new file would have.
  const std::string path = temp.Write("searchdb.js", original);
  ASSERT_TRUE(Save(path));
  const size_t newSize = ReadFile(path).size();

  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.what);
    temp.Write("searchdb.js", original);
    FaultyEnv faulty;
    ui.messages.clear();
    c.inject(faulty, newSize);
    ExpectFailed(SaveWith(faulty, path), kCannotSave, path, original);
  }
}

TEST_F(DatabaseSave, ALeftoverTemporaryFileIsReplaced) {
  const std::string path = temp.Write("searchdb.js", Fixture("template.js"));
  temp.Write("searchdb.js~temp~", std::string(100000, 'x'));
  ASSERT_TRUE(Save(path));
  EXPECT_EQ(ReadFile(path).find('x' + std::string(50, 'x')), std::string::npos);
  EXPECT_FALSE(FileExists(path + "~temp~"));
}

TEST_F(DatabaseSave, NeverWritesThroughALinkPlantedAsTheTemporaryFile) {
  const std::string path = temp.Write("searchdb.js", Fixture("template.js"));
  const std::string victim = temp.Write("victim.txt", "someone else's file");
  ASSERT_EQ(::symlink(victim.c_str(), (path + "~temp~").c_str()), 0);
  ASSERT_TRUE(Save(path));
  EXPECT_EQ(ReadFile(victim), "someone else's file");
  EXPECT_NE(ReadFile(path).find("Page \\\\ one"), std::string::npos);
}

// A folder the saving process may read but not write: as root, where
// permissions do not apply, the save runs in a child that has given up root.
TEST_F(DatabaseSave, AReadOnlyFolderIsReportedAndLeavesTheFileUntouched) {
  const std::string original = Fixture("template.js");
  const std::string path = temp.Write("site/searchdb.js", original);
  const bool root = ::geteuid() == 0;
  ::chmod(temp.path().c_str(), 0755);
  ::chmod((temp / "site").c_str(), 0555);
  ::chmod(path.c_str(), 0644);
  const test::ChildResult child = test::RunInChild([&] {
    if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return std::string("cannot drop root");
    ScriptedInteraction childUi;
    const bool saved = SaveDatabaseFile(path, DatabaseMarkers{}, cat, base, childUi, Env::Default());
    std::string report = saved ? "saved" : "failed";
    for (const auto& message : childUi.messages) report += "|" + message.text;
    return report;
  });
  ::chmod((temp / "site").c_str(), 0755);
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.report, "failed|" + kCannotSave);
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_FALSE(FileExists(path + "~temp~"));
}

// A real write failure from the system: a file size limit makes every write
// past it fail as on a full disk.
TEST_F(DatabaseSave, ARealWriteFailureIsReportedAndLeavesTheFileUntouched) {
  for (int i = 0; i < 20000; ++i) base.Add(base.Get(0));
  const std::string original = Fixture("template.js");
  const std::string path = temp.Write("searchdb.js", original);
  const test::ChildResult child = test::RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {64 * 1024, 64 * 1024};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("no limit");
    ScriptedInteraction childUi;
    const bool saved = SaveDatabaseFile(path, DatabaseMarkers{}, cat, base, childUi, Env::Default());
    std::string report = saved ? "saved" : "failed";
    for (const auto& message : childUi.messages) report += "|" + message.text;
    return report;
  });
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.report, "failed|" + kCannotSave);
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_FALSE(FileExists(path + "~temp~"));
}

}  // namespace
}  // namespace qm
