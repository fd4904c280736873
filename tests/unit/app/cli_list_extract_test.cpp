// quillmark-cli list and extract: what they print, and how they fail.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::RunCli;
using test::TempFolder;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// A database holding a windows-1252 caption, a keyword list with the update
// marker and a stored address with an encoded folder separator.
const std::string kDatabase =
    "var x=1;\r\n//Settings\r\n//v2format\r\n//DatabaseBegin\r\n"
    "var cg=new Array(\r\n'All Categories',\r\n'Caf\xC3\xA9s'\r\n);\r\n"
    "var ln=new Array(\r\n'1^It\\'s caf\xC3\xA9^docs%2Fa%20b.html',\r\n'0^Bad \xFF byte^x.html'\r\n);\r\n"
    "var ds=new Array(\r\n'First',\r\n'Second'\r\n);\r\n"
    "var kw=new Array(\r\n'^~^coffee^',\r\n'^^'\r\n);\r\n//DatabaseEnd\r\n";

TEST(CliList, PrintsOneObjectPerLinkAsJson) {
  TempFolder temp;
  const std::string db = temp.Write("searchdb.js", kDatabase);
  const auto result = RunCli({"list", db, "--json"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto json = nlohmann::json::parse(result.out);
  EXPECT_EQ(json["categories"], nlohmann::json({"All Categories", "Caf\xC3\xA9s"}));
  ASSERT_EQ(json["links"].size(), 2u);
  const auto& first = json["links"][0];
  EXPECT_EQ(first, nlohmann::json::parse(R"({"cat":1,"caption":"It's caf\u00e9","url":"docs%2Fa%20b.html",
      "address":"docs/a b.html","desc":"First","keys":["~","coffee"]})"));
  // A byte that is not UTF-8 is shown as U+FFFD, so the output stays valid JSON.
  EXPECT_EQ(json["links"][1]["caption"], "Bad \xEF\xBF\xBD byte");
  EXPECT_EQ(json["links"][1]["keys"], nlohmann::json::array());

  const auto categories = RunCli({"list", db, "--json", "--categories"});
  EXPECT_EQ(nlohmann::json::parse(categories.out), nlohmann::json::parse(R"({"categories":["All Categories","Caf\u00e9s"]})"));
  EXPECT_EQ(RunCli({"list", db, "--categories"}).out, "0\tAll Categories\n1\tCaf\xC3\xA9s\n");
  EXPECT_THAT(RunCli({"list", db}).out, StartsWith("1\tIt's caf\xC3\xA9\tdocs/a b.html\t~, coffee\n"));
}

TEST(CliList, SaysWhatIsWrongAndExitsWithOne) {
  TempFolder temp;
  temp.Write("noise.js", "var x = 'no database here';");
  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* message;
  } cases[] = {
      {{"list", temp / "missing.js"}, 1, "cannot open database file"},
      {{"list", temp.path()}, 1, "is a folder, not a database file"},
      {{"list", temp / "noise.js"}, 1, "holds no search database"},
      {{"list"}, 2, "DB is required"},
      {{"--codepage", "klingon", "list", temp / "noise.js"}, 2, "unknown code page: klingon"},
  };
  for (const auto& c : cases) {
    const auto result = RunCli(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(result.out, "");
  }
}

TEST(CliExtract, PrintsTheRecordOfOnePageWithTheProjectSettings) {
  TempFolder temp;
  temp.Write("searchdb.js", kDatabase);
  temp.Write("docs/page.html",
             "<html><head><title>Harbour tides</title>"
             "<meta name=\"description\" content=\"When the sea comes in.\"></head>"
             "<body><h1>Tides</h1><p>tides tides harbour</p></body></html>");
  const auto result = RunCli({"extract", temp / "docs/page.html", "--db", temp / "searchdb.js", "--json"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto record = nlohmann::json::parse(result.out);
  EXPECT_EQ(record["caption"], "Harbour tides");
  EXPECT_EQ(record["desc"], "When the sea comes in.");
  EXPECT_EQ(record["url"], "docs%2Fpage.html");
  EXPECT_EQ(record["address"], "docs/page.html");
  ASSERT_FALSE(record["keys"].empty());
  EXPECT_EQ(record["keys"][0], "tides");

  const auto missing = RunCli({"extract", temp / "nope.html"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_THAT(missing.err, HasSubstr("nope.html"));
}

}  // namespace
}  // namespace qm
