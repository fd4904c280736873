// quillmark-cli new and templates, run as a user would run them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"
#include "driver/Templates.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using ::testing::HasSubstr;

const std::string kTemplates = std::string(QUILLMARK_BIN_DIR) + "/Templates/";

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(CliTemplates, ListsTheInstalledTemplatesDefaultFirst) {
  const auto result = RunCli({"templates"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  std::string expected;
  for (const std::string& name : ListTemplates(kTemplates)) expected += name + "\n";
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(result.out, expected);
}

TEST(CliNew, MakesTheProjectAndPrintsTheDatabasePath) {
  TempFolder temp;
  const std::string root = temp / "site/with blank";  // created, parents too
  const auto result = RunCli({"new", root});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, root + "/searchdb.js\n");
  const std::string first = ListTemplates(kTemplates).front();
  for (const auto& entry : fs::directory_iterator(kTemplates + first)) {
    const std::string name = entry.path().filename();
    EXPECT_EQ(ReadFile(root + "/" + name), ReadFile(entry.path())) << name;
  }
  EXPECT_EQ(RunCli({"list", root + "/searchdb.js"}).exitCode, 0);
}

TEST(CliNew, KeepsTheKeyFilesOfAProjectUnlessForced) {
  TempFolder temp;
  ASSERT_EQ(RunCli({"new", temp.path(), "--template", "Compact"}).exitCode, 0);
  temp.Write("page.html", "<title>Kept</title>");
  ASSERT_EQ(RunCli({"add", temp / "searchdb.js", temp.path()}).exitCode, 0);
  const std::string withLinks = ReadFile(temp / "searchdb.js");
  temp.Write("search.html", "my own search page");

  auto again = RunCli({"new", temp.path(), "--template", "Compact"});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(Count(again.err, "is exists. Replace? No."), 3) << again.err;
  EXPECT_THAT(again.err, HasSubstr("File " + temp / "searchdb.js" + " is exists."));
  EXPECT_EQ(ReadFile(temp / "searchdb.js"), withLinks);
  EXPECT_EQ(ReadFile(temp / "search.html"), "my own search page");

  EXPECT_TRUE(RunCli({"new", temp.path(), "--template", "Compact", "--quiet"}).err.empty());

  auto forced = RunCli({"new", temp.path(), "--template", "Compact", "--force"});
  EXPECT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(ReadFile(temp / "searchdb.js"), ReadFile(kTemplates + "Compact/searchdb.js"));
  EXPECT_EQ(ReadFile(temp / "search.html"), ReadFile(kTemplates + "Compact/search.html"));
}

TEST(CliNew, Failures) {
  TempFolder temp;
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* message;
  } cases[] = {
      {{"new", temp / "a", "--template", "NoSuchTemplate"}, 1, "no template named NoSuchTemplate"},
      {{"new", temp / "b", "--db", "other.js"}, 1, "has no database file other.js"},
      {{"new", temp.Write("file", "") + "/sub"}, 1, "cannot create folder"},
      {{"new"}, 2, "ROOT is required"},
      {{"new", temp / "c", "--colour"}, 2, "--colour"},
      {{"frobnicate"}, 2, "subcommand"},
      {{}, 2, "subcommand"},
  };
  for (const Case& c : cases) {
    const auto result = RunCli(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.args);
    EXPECT_THAT(result.err, HasSubstr(c.message)) << ::testing::PrintToString(c.args);
  }
}

}  // namespace
}  // namespace qm
