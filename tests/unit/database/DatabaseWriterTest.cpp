#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Env.h"
#include "support/FaultyEnv.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

std::string Block(const TCat& cat, const TBase& base) { return WriteCategories(cat) + WriteLinks(base); }

TEST(DatabaseWriter, WritesTheBlockLineByLine) {
  TCat cat;
  cat.Add("Docs");
  TBase base;
  TBaseRecord link;
  link.Caption = "Start";
  link.URL = "index.html";
  link.Desc = "Welcome";
  link.Keys = {"home", "start"};
  base.Add(link);
  link.Cat = -5;
  link.Caption = "Two";
  link.URL = "b.html";
  link.Desc = "";
  link.Keys = {};
  base.Add(link);
  EXPECT_EQ(Block(cat, base),
            "//v2format\r\n//DatabaseBegin\r\nvar cg=new Array(\r\n'Docs'\r\n);\r\n"
            "var ln=new Array(\r\n'0^Start^index.html',\r\n'-5^Two^b.html'\r\n);\r\n"
            "var ds=new Array(\r\n'Welcome',\r\n''\r\n);\r\n"
            "var kw=new Array(\r\n'^home^start^',\r\n'^^'\r\n);\r\n");
}

TEST(DatabaseWriter, WritesEmptyListsAsOneEmptyElement) {
  EXPECT_EQ(Block(TCat{}, TBase{}),
            "//v2format\r\n//DatabaseBegin\r\nvar cg=new Array(\r\n''\r\n);\r\n"
            "var ln=new Array(\r\n''\r\n);\r\nvar ds=new Array(\r\n''\r\n);\r\n"
            "var kw=new Array(\r\n'^^'\r\n);\r\n");
}

TEST(DatabaseWriter, EscapesQuotesAndBackslashesAndKeepsLineBreaksOut) {
  const struct {
    std::string text;
    bool separatorFree;
    std::string written;
  } cases[] = {
      {"it's", false, "it\\'s"},
      {"a\\b", false, "a\\\\b"},
      {"\\'", false, "\\\\\\'"},
      {"a\r\nb", false, "a b"},        // CR LF: one blank, as the reader makes of it
      {"a\rb", false, "a b"},
      {"a\nb", false, "a b"},
      {"a\r\n\r\nb", false, "a  b"},
      {"a\n\rb", false, "a  b"},
      {"end\r\n", false, "end "},
      {"a^b", true, "a b"},             // no escape for the separator
      {"a^b", false, "a^b"},
      {"\"x\" + y", false, "\"x\" + y"},
      {"a */ b", false, "a *\\/ b"},    // cannot end a comment around the block
      {"a/b * /c **/", false, "a/b * /c **\\/"},
      {std::string("n\0l \xC3\xA9\xFF", 7), false, std::string("n\0l \xC3\xA9\xFF", 7)},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendEscaped(out, c.text, c.separatorFree);
    EXPECT_EQ(out, c.written) << c.text;
  }
}

TEST(DatabaseWriter, KeepsTheSeparatorOutOfCaptionsAndKeywordsOnly) {
  TCat cat;
  cat.Add("a^b");
  TBase base;
  TBaseRecord link;
  link.Caption = "x^y";
  link.URL = "u^v";
  link.Desc = "d^e";
  link.Keys = {"k^l", "^"};
  base.Add(link);
  const std::string block = Block(cat, base);
  EXPECT_NE(block.find("'a^b'"), std::string::npos);
  EXPECT_NE(block.find("'0^x y^u^v'"), std::string::npos);
  EXPECT_NE(block.find("'d^e'"), std::string::npos);
  EXPECT_NE(block.find("'^k l^ ^'"), std::string::npos);
}

TEST(DatabaseWriter, AnEmptyCategoryNameDoesNotEndTheList) {
  // Put may store an empty name; written as an empty element it would end
  // the list for the reader and lose the categories after it.
  TCat cat;
  cat.Add("first");
  cat.Add("placeholder");
  cat.Add("third");
  cat.Put(1, "");
  const std::string block = Block(cat, TBase{});
  TCat read;
  ReadCategories(block, read);
  EXPECT_EQ(read.Items(), (std::vector<std::string>{"first", " ", "third"}));
}

TEST(DatabaseWriter, ReadsBackEveryByteAsWritten) {
  // All bytes but those the format cannot carry.
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n' && b != '^') all.push_back(static_cast<char>(b));
  }
  TCat cat;
  cat.Add(all);
  TBase base;
  for (int cat = -2; cat < 3; ++cat) {
    TBaseRecord link;
    link.Cat = cat * 1000003;
    link.Caption = all;
    link.URL = "%2F" + all;
    link.Desc = all + "^*/";
    link.Keys = {all, "+", "'", "\\"};
    base.Add(link);
  }
  const std::string block = Block(cat, base);
  TCat catRead;
  TBase baseRead;
  ReadCategories(block, catRead);
  ReadLinks(block, baseRead, nullptr);
  EXPECT_EQ(catRead.Items(), cat.Items());
  EXPECT_EQ(baseRead.Items(), base.Items());
}

TEST(DatabaseWriter, WriteToWritesTheSameBytesInPiecesAndReportsFailures) {
  test::TempFolder temp;
  TCat cat;
  cat.Add("c");
  TBase base;
  // Several megabytes, so that the text goes to the file in several pieces.
  for (int i = 0; i < 30000; ++i) {
    base.Add(TBaseRecord{i % 7, "caption " + std::to_string(i), "u%20" + std::to_string(i) + ".html",
                         std::string(100, 'd'), {"k1", "k2", "k3"}});
  }
  auto file = Env::Default().NewWritableFile(temp / "out");
  ASSERT_TRUE(file);
  EXPECT_TRUE(cat.WriteTo(*file));
  EXPECT_TRUE(base.WriteTo(*file));
  ASSERT_TRUE(file->Close());
  const std::string written = test::ReadFile(temp / "out");
  EXPECT_GT(written.size(), 3u << 20);
  EXPECT_EQ(written, Block(cat, base));

  test::FaultyEnv full;
  full.writeLimit = 2 << 20;
  file = full.NewWritableFile(temp / "full");
  ASSERT_TRUE(file);
  EXPECT_TRUE(cat.WriteTo(*file));
  EXPECT_FALSE(base.WriteTo(*file));
}

}  // namespace
}  // namespace qm
