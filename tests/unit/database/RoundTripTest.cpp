// A large database written and read back: every category and link exactly
// as it was, in UTF-8 and in a single-byte code page.
#include <gtest/gtest.h>

#include <string>

#include "database/DatabaseFile.h"
#include "database/LinkModel.h"
#include "platform/Env.h"
#include "support/CodePageGuard.h"
#include "support/LinkGenerator.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

void ExpectRoundTrip(const char* codePage) {
  test::CodePageGuard guard(codePage);
  const bool singleByte = std::string(codePage) != "utf-8";
  test::GeneratedDatabase db = test::LinkGenerator(42, singleByte).Make(100000);
  // The texts really hold characters beyond ASCII.
  ASSERT_NE(db.links.Get(0).Desc.find_first_of("\x80\xC3\xD0\xE0\xEF\xF0"), std::string::npos);

  test::TempFolder temp;
  const std::string path = temp.Write("searchdb.js", test::TemplateFile(""));
  test::ScriptedInteraction ui;
  ASSERT_TRUE(SaveDatabaseFile(path, DatabaseMarkers{}, db.categories, db.links, ui, Env::Default()));
  EXPECT_GT(test::ReadFile(path).size(), 20u * 1000 * 1000);

  TCat categories;
  TBase links;
  categories.LoadFromFile(path);
  links.LoadFromFile(path, &ui);
  EXPECT_EQ(categories.Items(), db.categories.Items());
  ASSERT_EQ(links.Count(), db.links.Count());
  for (int i = 0; i < links.Count(); ++i) {
    ASSERT_EQ(links.At(i), db.links.At(i)) << "link " << i;
  }
}

TEST(DatabaseRoundTrip, HundredThousandLinksInUtf8) { ExpectRoundTrip("utf-8"); }

TEST(DatabaseRoundTrip, HundredThousandLinksInWindows1251) { ExpectRoundTrip("windows-1251"); }

TEST(DatabaseRoundTrip, OldFormatFileIsSavedInTheCurrentFormat) {
  test::TempFolder temp;
  const std::string path =
      temp.Write("searchdb.js", test::ReadFile(std::string(QUILLMARK_FIXTURES) + "/database/old-format.js"));
  TCat categories;
  TBase links;
  categories.LoadFromFile(path);
  links.LoadFromFile(path);
  ASSERT_EQ(links.Count(), 2);
  EXPECT_EQ(links.Get(0).Caption, "Old page");
  EXPECT_EQ(links.Get(0).URL, "old%2Fpage.html");
  EXPECT_EQ(links.Get(0).Keys, (KeyList{"old", "file"}));
  EXPECT_EQ(links.Get(1).URL, "a^b.html");
  test::ScriptedInteraction ui;
  ASSERT_TRUE(SaveDatabaseFile(path, DatabaseMarkers{}, categories, links, ui, Env::Default()));
  const std::string saved = test::ReadFile(path);
  EXPECT_NE(saved.find("//v2format\r\n//DatabaseBegin\r\n"), std::string::npos);
  EXPECT_NE(saved.find("'0^Old page^old%2Fpage.html'"), std::string::npos);
  TCat categoriesAgain;
  TBase linksAgain;
  categoriesAgain.LoadFromFile(path);
  linksAgain.LoadFromFile(path);
  EXPECT_EQ(categoriesAgain.Items(), categories.Items());
  EXPECT_EQ(linksAgain.Items(), links.Items());
}

}  // namespace
}  // namespace qm
