#include "indexing/PageInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "code_page_guard.h"
#include "database/Addresses.h"
#include "indexing/HTMLParser.h"
#include "indexing/PageMeta.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::CodePageGuard;
using test::TempFolder;
using Strings = std::vector<std::string>;

PageMeta MetaOf(std::string_view page) {
  HtmlSource source;
  source.OpenBytes(std::string(page));
  return ReadPageMeta(source);
}

std::string TitleOf(std::string_view page) {
  HtmlSource source;
  source.OpenBytes(std::string(page));
  return ReadPageTitle(source);
}

TEST(PageMetaPass, DescriptionAndCharset) {
  const struct {
    const char* page;
    const char* description;
    const char* charset;
  } cases[] = {
      {"<meta name=\"description\" content=\"Our company\">", "Our company", ""},
      // Attribute order does not matter.
      {"<meta content=\"Our company\" name=\"description\">", "Our company", ""},
      {"<meta content=\"Our company\" name=description />", "Our company", ""},
      // An apostrophe right after a word is dropped by the tokenizer, so
      // this value runs on to the tag end, which empties it.
      {"<meta content='Our company' name=description />", "", ""},
      // Attribute names are compared exactly, their values ignoring case.
      {"<meta NAME=\"description\" content=\"x\">", "", ""},
      {"<meta name=\"description\" CONTENT=\"x\">", "", ""},
      {"<meta name=\"DESCRIPTION\" content=\"x\">", "x", ""},
      {"<META name=\"description\" content=\"x\">", "x", ""},
      // The charset, from a content type or a charset attribute.
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">", "",
       "windows-1251"},
      {"<meta content=\"text/html; charset=KOI8-R\" http-equiv=\"content-type\">", "", "koi8-r"},
      {"<meta charset=\"Windows-1251\">", "", "windows-1251"},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html\">", "", ""},
      // A later declaration replaces an earlier one.
      {"<meta name=\"description\" content=\"first\"><meta name=\"description\" content=\"second\">",
       "second", ""},
      {"<meta charset=\"utf-8\"><meta http-equiv=\"content-type\" content=\"text/html; charset=koi8-r\">",
       "", "koi8-r"},
      // The pass goes on past its element: a description in a later element
      // that is not a meta element, and page text naming a charset.
      {"<meta charset=\"utf-8\"><div name=\"description\" content=\"from a div\"></div>", "from a div",
       "utf-8"},
      {"<meta charset=\"utf-8\"><p>set the charset to utf-8</p>", "", "to"},
      // Another name ends the pass; the next meta element starts a new one.
      {"<meta name=\"viewport\" content=\"width\"><p name=\"description\" content=\"no\">"
       "<meta name=\"description\" content=\"yes\">",
       "yes", ""},
      // Quotes of either kind end the value.
      {"<meta name=\"description\" content=\"rock 'n roll\">", "rock ", ""},
      // Markup inside the value is skipped; a tag end stops and empties it.
      {"<meta name=\"description\" content=\"x</y <!-z\">", "xy z", ""},
      {"<meta name=\"description\" content=\"a <b>bold</b> claim\">", "", ""},
      {"<meta name=\"description\" content=\"\">", "", ""},
      {"<meta name=\"description\" content=\"Tom &amp; Jerry\">", "Tom & Jerry", ""},
      // Pages that end inside the element.
      {"<meta name=\"description\" content=\"cut", "cut", ""},
      {"<meta name=", "", ""},
      {"<meta charset", "", ""},
      {"<p>no meta here</p>", "", ""},
  };
  for (const auto& c : cases) {
    const PageMeta meta = MetaOf(c.page);
    EXPECT_EQ(meta.Description, c.description) << c.page;
    EXPECT_EQ(meta.Charset, c.charset) << c.page;
  }
}

TEST(PageTitle, TextUpToTheFirstMarkup) {
  const struct {
    const char* page;
    const char* title;
  } cases[] = {
      {"<html><title>Hello, world</title>", "Hello, world"},
      {"<TITLE lang=en>X</TITLE>", "X"},
      {"<title>\n  My\n  Page\n</title>", "   My   Page "},
      {"<title>A <b>bold</b> title</title>", "A "},
      {"<title>Tom &amp; Jerry</title>", "Tom & Jerry"},
      {"<title>Unclosed", "Unclosed"},
      {"<title", ""},
      {"<p>no title</p>", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TitleOf(c.page), c.title) << c.page;
}

TEST(ScriptStrings, Unescape) {
  const struct {
    const char* text;
    const char* plain;
  } cases[] = {
      {"plain", "plain"}, {"it\\'s", "it's"}, {"a\\\\b", "a\\b"}, {"end\\", "end\\"}, {"\\n", "n"},
  };
  for (const auto& c : cases) EXPECT_EQ(UnescapeScriptString(c.text), c.plain) << c.text;
}

// A project folder with its three settings files and a database file path.
class PageInfoTest : public ::testing::Test {
 protected:
  PageInfoTest() { WriteSettings({}); }

  // Writes set.xml with the base keys, `extra` replacing or adding some.
  void WriteSettings(const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> keys = {
        {"KeysCount", "10"},        {"WordPositionWeight", "100"}, {"BeginOfFile", "100"},
        {"EndOfFile", "50"},        {"WordCaseWeight", "50"},      {"zzzRating", "100"},
        {"YyyRating", "150"},       {"TagWeight", "100"},          {"CountWeight", "10"},
        {"FileNameWeight", "200"},  {"DescOffset", "5"},           {"DescLength", "60"},
        {"TagsMinimalRating", "0"}, {"StopWordsMinimalRating", "0"},
    };
    for (const auto& [key, value] : extra) keys[key] = value;
    std::string set = "<?xml version=\"1.0\"?>\n<settings>\n";
    for (const auto& [key, value] : keys) set += "  <" + key + " value=\"" + value + "\"/>\n";
    set += "</settings>\n";
    folder_.Write("set.xml", set);
    folder_.Write("tags.xml", "<tags><title rating=\"300\"/><h1 rating=\"200\"/><script rating=\"-1\"/></tags>");
    folder_.Write("words.xml", "<words><group rating=\"-100\">the a of and</group></words>");
  }

  TBaseRecord Extract(std::string_view name, std::string_view page) {
    const std::string path = folder_.Write(name, page);
    TBaseRecord record;
    ExtractPageInfo(path, path, database_, record, program_);
    return record;
  }

  static Strings Keys(const TBaseRecord& record) { return record.Keys.ToVector(); }

  TempFolder folder_;
  std::string database_ = folder_ / "searchdb.js";
  ProgramSettings program_;
};

TEST_F(PageInfoTest, FillsTheRecord) {
  const TBaseRecord record = Extract(
      "docs/guide.html",
      "<html><head><title>Search Guide</title>"
      "<meta name=\"description\" content=\"How to search\"></head>"
      "<body><h1>Search</h1><p>The search of the site and the guide.</p></body></html>");
  EXPECT_EQ(record.Cat, 0);
  EXPECT_EQ(record.Caption, "Search Guide");
  EXPECT_EQ(record.URL, "docs%2Fguide.html");
  EXPECT_EQ(record.Desc, "How to search");
  // Title and heading words first; "the", "of" and "and" are stop words.
  EXPECT_EQ(Keys(record), (Strings{"search", "guide", "html", "site"}));
}

TEST_F(PageInfoTest, DescriptionFallsBackToTheBodyText) {
  EXPECT_EQ(Extract("a.htm", "<p>one two three four five six seven</p>").Desc, "... five six seven...");
  // Fewer words than DescOffset: no description.
  EXPECT_EQ(Extract("b.htm", "<p>one two three</p>").Desc, "");
  // A description meta element wins, wherever it stands.
  EXPECT_EQ(Extract("c.htm", "<p>one two three four five six</p><meta content=\"meta\" name=\"description\">").Desc,
            "meta");
}

TEST_F(PageInfoTest, ScriptMarkersFileNameCaptionAndCategory) {
  const std::string page =
      "<title>Title</title><script>var pageTitle = \"It\\'s \\\"here\\\"\"; "
      "var pageDesc = \"From script\";</script>"
      "<meta name=\"quillmark-category\" content=\" 3 \">";
  program_.FileNameCaptionMode = true;
  TBaseRecord record = Extract("named page.html", page);
  EXPECT_EQ(record.Caption, "named page.html");
  EXPECT_EQ(record.Cat, 3);

  program_.JSPageTitleSign = "PAGETITLE";
  program_.JSPageDescSign = "pagedesc =";
  record = Extract("named page.html", page);
  // The caption string ends at the first double quote: no escape with it.
  EXPECT_EQ(record.Caption, "It's \\");
  EXPECT_EQ(record.Desc, "From script");

  program_.FileNameCaptionMode = false;
  program_.JSPageTitleSign = "absent marker";
  EXPECT_EQ(Extract("p.html", page).Caption, "Title");
  EXPECT_EQ(Extract("q.html", "\"quillmark-category\" \"x7\"").Cat, 0);
  EXPECT_EQ(Extract("r.html", "\"QUILLMARK-CATEGORY\" \"-12\"").Cat, -12);
}

TEST_F(PageInfoTest, SettingsFilesSteerTheProgramWideSwitches) {
  WriteSettings({{"FileNameCaptionMode", "1"}, {"KeysCount", "2"}});
  const TBaseRecord record = Extract("switch.html", "<title>T</title><p>alpha beta gamma</p>");
  EXPECT_TRUE(program_.FileNameCaptionMode);
  EXPECT_EQ(record.Caption, "switch.html");
  EXPECT_EQ(record.Keys.size(), 2u);
}

TEST_F(PageInfoTest, UnreadablePageGivesAddressAndFileNameWords) {
  TBaseRecord record;
  const std::string missing = folder_ / "gone-away.html";
  ExtractPageInfo(missing, missing, database_, record, program_);
  EXPECT_EQ(record.URL, "gone-away.html");
  EXPECT_EQ(record.Caption, "");
  EXPECT_EQ(record.Desc, "");
  EXPECT_EQ(Keys(record), (Strings{"gone", "away", "html"}));
}

TEST_F(PageInfoTest, TemporaryPageStandsForTheIndexedFile) {
  const std::string temp = folder_.Write("tmp/page.html", "<title>T</title><p>body</p>");
  const std::string real = folder_ / "music/song.mp3";
  program_.FileNameCaptionMode = true;
  TBaseRecord record;
  ExtractPageInfo(temp, real, database_, record, program_);
  // The address is the page read; the file-name words and caption are the
  // indexed file's.
  EXPECT_EQ(record.URL, "tmp%2Fpage.html");
  EXPECT_EQ(record.Caption, "song.mp3");
  EXPECT_EQ(Keys(record), (Strings{"t", "song", "mp3", "body"}));
}

TEST_F(PageInfoTest, PageCharsetsInUTF8Mode) {
  WriteSettings({{"UTF8Mode", "1"}});
  // windows-1251 bytes of "Привет" and "мир".
  TBaseRecord record = Extract(
      "ru.html",
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
      "<title>\xCF\xF0\xE8\xE2\xE5\xF2</title><p>\xEC\xE8\xF0</p>");
  EXPECT_TRUE(program_.UTF8ModeFlag);
  EXPECT_EQ(record.Caption, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
  EXPECT_EQ(Keys(record), (Strings{"\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", "ru", "html",
                                   "\xD0\xBC\xD0\xB8\xD1\x80"}));

  // Character references give the page's characters, before the charset is
  // declared too.
  record = Extract("fr.html",
                   "<title>caf&eacute; &#233;t&#xE9;</title><meta charset=\"windows-1252\">"
                   "<meta name=\"description\" content=\"d&eacute;j&agrave;\"><p>R&eacute;sum&eacute;</p>");
  EXPECT_EQ(record.Caption, "caf\xC3\xA9 \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(record.Desc, "d\xC3\xA9j\xC3\xA0");
  EXPECT_TRUE(record.Keys.contains("r\xC3\xA9sum\xC3\xA9"));
}

TEST_F(PageInfoTest, Windows1252CodePage) {
  CodePageGuard windows1252("windows-1252");
  // Outside UTF-8 mode the page's bytes are kept.
  TBaseRecord record = Extract("w.html", "<title>Caf\xE9</title><p>\xC9T\xC9</p>");
  EXPECT_EQ(record.Caption, "Caf\xE9");
  EXPECT_EQ(Keys(record), (Strings{"caf\xE9", "w", "html", "\xE9t\xE9"}));

  // In UTF-8 mode an undeclared page is read in the code page.
  WriteSettings({{"UTF8Mode", "1"}});
  record = Extract("w.html", "<title>Caf\xE9</title><p>\xC9T\xC9</p>");
  EXPECT_EQ(record.Caption, "Caf\xC3\xA9");
  EXPECT_EQ(Keys(record), (Strings{"caf\xC3\xA9", "w", "html", "\xC3\xA9t\xC3\xA9"}));
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A whole page with its own settings files (tests/fixtures/indexing/pages):
// title and heading words first, the keywords meta element's phrase, the
// file name; nothing from the navigation, the footer, the script, the style
// or the stretch marked "qmknoindex".
TEST(PageInfoFixture, Article) {
  const std::string folder = std::string(QUILLMARK_FIXTURES) + "/indexing/pages/";
  ProgramSettings program;
  TBaseRecord record;
  ExtractPageInfo(folder + "article.html", folder + "article.html", folder + "searchdb.js", record,
                  program);
  EXPECT_TRUE(program.UTF8ModeFlag);
  EXPECT_EQ(record.Cat, 2);
  EXPECT_EQ(record.Caption, "Growing Tomatoes");
  EXPECT_EQ(record.URL, "article.html");
  EXPECT_EQ(record.Keys.ToVector(), (std::vector<std::string>{"tomatoes", "growing", "garden", "soil",
                                                              "vegetable garden", "small", "watering",
                                                              "article"}));
  // The body description starts at the eighth word of the page, which here
  // lies in the style element, and stops growing at 80 bytes.
  EXPECT_EQ(record.Desc.substr(0, 15), "... serif;} var");
  EXPECT_EQ(record.Desc.substr(record.Desc.size() - 3), "...");
  EXPECT_LE(record.Desc.size(), 80u + 6 + 20);
}

}  // namespace
}  // namespace qm
