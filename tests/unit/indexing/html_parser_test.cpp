#include "indexing/HTMLParser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "code_page_guard.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::CodePageGuard;

// Renders every token up to the end: words "w:text", numbers "n:text",
// symbols "s:text", a space "_", markup tokens as their text.
std::vector<std::string> Tokens(HtmlSource& source) {
  std::vector<std::string> out;
  std::string text;
  for (;;) {
    const TokenKind kind = source.NextToken(text);
    switch (kind) {
      case TokenKind::End:
        EXPECT_EQ(text, "");
        return out;
      case TokenKind::Word: out.push_back("w:" + text); break;
      case TokenKind::Number: out.push_back("n:" + text); break;
      case TokenKind::Symbol: out.push_back("s:" + text); break;
      case TokenKind::Space:
        EXPECT_EQ(text, " ");
        out.push_back("_");
        break;
      default: out.push_back(text); break;
    }
  }
}

std::vector<std::string> Tokens(std::string input, TokenizerMode mode = {}) {
  HtmlSource source(mode);
  source.OpenBytes(std::move(input));
  return Tokens(source);
}

struct TokenCase {
  const char* input;
  std::vector<std::string> expected;
};

class TokenizerCases : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerCases, GivesTokens) {
  EXPECT_EQ(Tokens(GetParam().input), GetParam().expected) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Markup, TokenizerCases,
    ::testing::Values(
        TokenCase{"<p class=x>Hello, world&amp;co 2008.</p>",
                  {"<", "w:p", "_", "w:class", "s:=", "w:x", ">", "w:Hello", "s:,", "_",
                   "w:world&co", "_", "n:2008.", "</", "w:p", ">"}},
        TokenCase{"<!--x-->", {"<!-", "s:-", "w:x", "s:-", "->"}},
        TokenCase{"<!DOCTYPE html>", {"<!", "w:DOCTYPE", "_", "w:html", ">"}},
        TokenCase{"<br/>", {"<", "w:br", "/>"}},
        TokenCase{"<?xml?>", {"<?", "w:xml", "s:?", ">"}},
        TokenCase{"a/b/ >", {"w:a/b", "s:/", "_", ">"}},
        TokenCase{"x->", {"w:x", "->"}},
        // The data ends right after "<" or "<!": the end.
        TokenCase{"a<", {"w:a"}},
        TokenCase{"a<!", {"w:a"}},
        TokenCase{"<!", {}},
        TokenCase{"\t\r\n\x01", {"_", "_", "_", "_"}},
        TokenCase{"", {}}));

INSTANTIATE_TEST_SUITE_P(
    Words, TokenizerCases,
    ::testing::Values(
        TokenCase{"e-mail", {"w:e-mail"}},
        TokenCase{"2008-05-01", {"n:2008-05-01"}},
        TokenCase{"dir\\file/name", {"w:dir\\file/name"}},
        // The colon ends a word: the drive letter of a path stands alone.
        TokenCase{"C:\\dir\\file", {"w:C", "s::", "s:\\", "w:dir\\file"}},
        TokenCase{"a - b", {"w:a", "_", "s:-", "_", "w:b"}},
        TokenCase{"c++ C# COM+ asp.net x.509",
                  {"w:c++", "_", "w:C#", "_", "w:COM+", "_", "w:asp.net", "_", "w:x.509"}},
        TokenCase{"c+++", {"w:c++", "s:+"}},
        TokenCase{".NET", {"w:.net", "w:NET"}},
        TokenCase{".ne", {"s:.", "w:ne"}},
        TokenCase{".ab", {"s:.", "w:ab"}},
        TokenCase{"word-", {"w:word", "s:-"}},
        TokenCase{"word--x", {"w:word", "s:-", "s:-", "w:x"}},
        TokenCase{"my_var", {"w:my", "s:_", "w:var"}},
        TokenCase{"don't 'x'", {"w:dont", "_", "s:'", "w:x"}},
        TokenCase{"3D 3ds mp3", {"w:3D", "_", "w:3d", "w:s", "_", "w:mp3"}},
        TokenCase{"1,000.50 12:30", {"n:1,000.50", "_", "n:12:30"}},
        TokenCase{"Tom&amp;Jerry", {"w:Tom&Jerry"}},
        TokenCase{"foo&nbsp;bar", {"w:foo", "_", "w:bar"}},
        TokenCase{"&nbsp;x", {"_", "w:x"}},
        TokenCase{"a&foo;b", {"w:a&foo b"}},
        TokenCase{"a&sp;b", {"w:a&sp b"}},
        TokenCase{"a& b", {"w:a&  b"}},
        TokenCase{"a&#45;b", {"w:a", "_", "w:b"}},
        TokenCase{"&lt;b&gt;", {"w:<b>"}},
        TokenCase{"x&mdash;y&apos;z", {"w:x-y`z"}},
        // Names may hold digits after the first letter.
        TokenCase{"a&frac12;&sup2;", {"w:a\xC2\xBD\xC2\xB2"}},
        // Hexadecimal references are read like decimal ones.
        TokenCase{"&#x2d;x", {"_", "w:x"}},
        TokenCase{"&#x;x", {"_", "w:x"}},
        // Invalid code points and malformed values give a blank.
        TokenCase{"a&#0;b&#xD800;c&#x110000;d&#99999999999999999999;e&#12a;f",
                  {"w:a", "_", "w:b", "_", "w:c", "_", "w:d", "_", "w:e", "_", "w:f"}}));

// A page that ends inside a reference, a tag or a comment ends quietly.
INSTANTIATE_TEST_SUITE_P(
    Truncated, TokenizerCases,
    ::testing::Values(TokenCase{"a&", {std::string("w:a") + '\0'}},
                      TokenCase{"a&#", {std::string("w:a") + '\0'}},
                      TokenCase{"a&#x", {"w:a", "_"}},
                      TokenCase{"a&#12", {"w:a", "_"}},
                      TokenCase{"a&am", {"w:a&am "}},
                      TokenCase{"<p class=\"x", {"<", "w:p", "_", "w:class", "s:=", "s:\"", "w:x"}},
                      TokenCase{"<!-- x", {"<!-", "s:-", "_", "w:x"}},
                      TokenCase{"<!-", {"<!-"}},
                      TokenCase{"1,", {"n:1,"}}));

TEST(Tokenizer, NulBytesAreSpaces) {
  EXPECT_EQ(Tokens(std::string("a\0b\0", 4)), (std::vector<std::string>{"w:a", "_", "w:b", "_"}));
}

TEST(Tokenizer, ProgrammingLanguageModeJoinsIdentifiers) {
  TokenizerMode mode;
  mode.ProgrammingLanguageMode = true;
  EXPECT_EQ(Tokens("my_var _x", mode), (std::vector<std::string>{"w:my_var", "_", "w:_x"}));
  EXPECT_EQ(Tokens("objective- c++/cli tcp/ip wi-fi", mode),
            (std::vector<std::string>{"w:objective-", "_", "w:c++/cli", "_", "w:tcp/ip", "_",
                                      "w:wi-fi"}));
  // The joins need the mode.
  EXPECT_EQ(Tokens("objective- tcp/ ", {}),
            (std::vector<std::string>{"w:objective", "s:-", "_", "w:tcp", "s:/", "_"}));
}

TEST(Tokenizer, PendingSpaceStaysWithItsSource) {
  HtmlSource source;
  source.OpenBytes("word ");
  std::string text;
  EXPECT_EQ(source.NextToken(text), TokenKind::Word);
  EXPECT_TRUE(source.PendingSpace());
  // Seeking does not drop it: the space is still returned first.
  source.SeekSource(0, 0);
  EXPECT_EQ(source.NextToken(text), TokenKind::Space);
  EXPECT_EQ(source.NextToken(text), TokenKind::Word);
  // A new source starts without it.
  source.OpenBytes("x");
  EXPECT_EQ(source.NextToken(text), TokenKind::Word);
  EXPECT_EQ(text, "x");
}

TEST(Tokenizer, HighBytesByModeAndCodePage) {
  const std::string word = "Gr\xC3\xBC\xC3\x9F" "e";  // UTF-8 "Grüße"
  TokenizerMode utf8;
  utf8.UTF8Mode = true;
  {
    CodePageGuard cp("windows-1252");
    EXPECT_EQ(Tokens(word, utf8), (std::vector<std::string>{"w:" + word}));
    // Outside UTF-8 mode only the bytes windows-1252 calls letters join:
    // 0xC3 is a letter, 0xBC (a fraction) and 0x9F (Y diaeresis: a letter) ...
    EXPECT_EQ(Tokens(word), (std::vector<std::string>{"w:Gr\xC3", "s:\xBC", "w:\xC3\x9F" "e"}));
    EXPECT_EQ(Tokens("caf\xE9 na\xEFve"), (std::vector<std::string>{"w:caf\xE9", "_", "w:na\xEFve"}));
  }
  // With UTF-8 as the code page every high byte is a letter.
  EXPECT_EQ(Tokens(word), (std::vector<std::string>{"w:" + word}));
}

// In UTF-8 text, blanks, punctuation and symbols other than ASCII separate
// words as their single-byte counterparts do in a code page; letters of any
// script, marks and bytes that are not UTF-8 stay in the word.
TEST(Tokenizer, Utf8TextSeparatesAtNonLetters) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"2.6.\xC2\xA0Joins", {"n:2.6.", "s:\xC2\xA0", "w:Joins"}},
      {"\xE2\x80\x9Cquoted\xE2\x80\x9D", {"s:\xE2\x80\x9C", "w:quoted", "s:\xE2\x80\x9D"}},
      {"don\xE2\x80\x99t", {"w:dont"}},
      {"\xE2\x80\x98x\xE2\x80\x99 y", {"s:\xE2\x80\x98", "w:x", "_", "w:y"}},
      {"a\xE2\x80\x94" "b", {"w:a", "s:\xE2\x80\x94", "w:b"}},
      {"\xC2\xA9" "Corp \xE2\x84\xA2", {"s:\xC2\xA9", "w:Corp", "_", "s:\xE2\x84\xA2"}},
      {"\xE2\x82\xAC" "5", {"s:\xE2\x82\xAC", "n:5"}},
      // Letters of other scripts, combining marks, a soft hyphen.
      {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", {"w:\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"}},
      {"e\xCC\x81t\xC3\xA9", {"w:e\xCC\x81t\xC3\xA9"}},
      {"hy\xC2\xADphen", {"w:hy\xC2\xADphen"}},
      {"\xE4\xB8\xAD\xE6\x96\x87", {"w:\xE4\xB8\xAD\xE6\x96\x87"}},
      // Bytes that are not UTF-8 are letters, one by one.
      {"a\xA0" "b \xE2\x80 \xC0\xA0", {"w:a\xA0" "b", "_", "w:\xE2\x80", "_", "w:\xC0\xA0"}},
      {"x-\xC3\xA9", {"w:x-\xC3\xA9"}},
      {"x-\xC2\xA0", {"w:x", "s:-", "s:\xC2\xA0"}},
      {"&#233;\xC2\xA0", {"w:\xC3\xA9", "s:\xC2\xA0"}},
  };
  TokenizerMode utf8;
  utf8.UTF8Mode = true;
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(Tokens(input, utf8), expected) << input;
    // With UTF-8 as the code page, outside UTF-8 mode too.
    EXPECT_EQ(Tokens(input), expected) << input;
  }
  // In a single-byte code page outside UTF-8 mode the code page decides.
  CodePageGuard cp("windows-1252");
  EXPECT_EQ(Tokens("2.6.\xA0Joins \x93q\x94 don\x92t"),
            (std::vector<std::string>{"n:2.6.", "s:\xA0", "w:Joins", "_", "s:\x93", "w:q", "s:\x94",
                                      "_", "w:don", "s:\x92", "w:t"}));
}

// Character references give their character in the set of the text around
// them: the page's charset in UTF-8 mode, else the system code page.
struct ReferenceCase {
  const char* codePage;
  bool utf8Mode;
  const char* pageCharset;
  const char* input;
  const char* word;
};

class ReferenceCases : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceCases, EncodeLikeTheText) {
  const ReferenceCase& c = GetParam();
  CodePageGuard cp(c.codePage);
  ProgramSettings program;
  program.UTF8ModeFlag = c.utf8Mode;
  EXPECT_EQ(Tokens(c.input, TokenizerModeFor(program, c.pageCharset)),
            (std::vector<std::string>{std::string("w:") + c.word}))
      << c.codePage << " " << c.utf8Mode << " " << c.pageCharset << " " << c.input;
}

INSTANTIATE_TEST_SUITE_P(
    Charsets, ReferenceCases,
    ::testing::Values(
        // No blank follows a character's bytes: one word.
        ReferenceCase{"utf-8", true, "utf-8", "r&#233;sum&#xE9;", "r\xC3\xA9sum\xC3\xA9"},
        ReferenceCase{"utf-8", true, "", "r&eacute;sum&eacute;", "r\xC3\xA9sum\xC3\xA9"},
        ReferenceCase{"utf-8", true, "windows-1252", "r&#233;sum&eacute;", "r\xE9sum\xE9"},
        ReferenceCase{"utf-8", true, "windows-1251", "&#1046;&#233;", "\xC6?"},
        ReferenceCase{"utf-8", true, "iso-8859-1", "x&euro;&trade;", "x\x80\x99"},
        ReferenceCase{"utf-8", false, "windows-1252", "r&#233;&hellip;", "r\xC3\xA9\xE2\x80\xA6"},
        ReferenceCase{"windows-1252", false, "utf-8", "r&#233;&#xE9;&hellip;", "r\xE9\xE9\x85"},
        ReferenceCase{"windows-1252", false, "", "&#1046;x", "?x"},
        ReferenceCase{"windows-1252", true, "utf-8", "&#233;&trade;", "\xC3\xA9\xE2\x84\xA2"},
        ReferenceCase{"windows-1251", false, "", "&trade;&euro;&#1046;", "\x99\x88\xC6"},
        // A letter above U+FFFF is its character.
        ReferenceCase{"utf-8", true, "utf-8", "a&#x10400;", "a\xF0\x90\x90\x80"}));

struct EntityCase {
  const char* after;  // the bytes after "&"
  std::string result;
  int64_t position;   // where reading stops
};

TEST(DecodeEntity, ResultsAndConsumedBytes) {
  const EntityCase cases[] = {
      {"amp;x", "&", 4},        {"ampx", "&ampx", 4},  {"amp", "&", 3},
      {"AMP;", "&AMP", 4},      {"nbsp;", " ", 5},     {"quot;", "\"", 5},
      {"#65;", "A", 4},         {"#x41;", "A", 5},     {"#x41", "A", 4},
      {"#45;", " ", 4},         {"#;x", " ", 3},       {"#", std::string(1, '\0'), 1},
      {"", std::string(1, '\0'), 0},                   {" x", "& ", 1},
      {";", "& ", 1},           {"yuml;", "\xC3\xBF", 5},
  };
  for (const EntityCase& c : cases) {
    HtmlSource source;
    source.OpenBytes(c.after);
    std::string result;
    source.DecodeEntity(result);
    EXPECT_EQ(result, c.result) << c.after;
    EXPECT_EQ(source.Position(), c.position) << c.after;
  }
}

TEST(SourceOperations, TokenLogRecordsWhatNextTokenReturns) {
  const std::string page = "<html><meta name=x>Hello, world&amp;co <!--c--> 2008.</html>";
  HtmlSource source;
  source.OpenBytes(page);
  TokenLog log;
  source.SetTokenLog(&log, 1000);
  EXPECT_FALSE(source.FindElement("body"));  // reads to the end, logging
  source.SetTokenLog(nullptr, 0);
  ASSERT_TRUE(log.Complete());
  source.SeekSource(0, 0);
  std::string text;
  size_t i = 0;
  for (TokenKind kind; (kind = source.NextToken(text)) != TokenKind::End; ++i) {
    ASSERT_LT(i, log.Size());
    EXPECT_EQ(log.Kind(i), kind);
    EXPECT_EQ(log.Text(i), text);
  }
  ASSERT_EQ(log.Size(), i + 1);
  EXPECT_EQ(log.Kind(i), TokenKind::End);
  EXPECT_EQ(log.TextBytes(), page.size() - 4);  // "&amp;" is "&", "<!--" is "<!-" "-"

  // A limit keeps the tokens whose texts fit.
  log.Clear();
  source.SeekSource(0, 0);
  source.SetTokenLog(&log, 11);
  while (source.NextToken(text) != TokenKind::End) {
  }
  EXPECT_FALSE(log.Complete());
  EXPECT_EQ(log.TextBytes(), 11u);  // "<" "html" ">" "<" "meta"; the blank would pass 11
  EXPECT_EQ(log.Size(), 5u);
  log.Clear();
  EXPECT_TRUE(log.Complete());
  EXPECT_EQ(log.Size(), 0u);
}

TEST(SourceOperations, ReferenceCharsetsThatEncodeAlikeAreEqual) {
  EXPECT_EQ(ReferenceCharsetFor("", false), ReferenceCharsetFor("utf-8", true));
  EXPECT_EQ(ReferenceCharsetFor("koi8-r", false), ReferenceCharsetFor("", true));
  EXPECT_EQ(ReferenceCharsetFor("iso-8859-1", true), ReferenceCharsetFor("windows-1252", true));
  EXPECT_NE(ReferenceCharsetFor("windows-1251", true), ReferenceCharsetFor("utf-8", true));
  CodePageGuard cp("windows-1252");
  EXPECT_EQ(ReferenceCharsetFor("", false), 0);
  EXPECT_EQ(ReferenceCharsetFor("windows-1252", true), 0);
  EXPECT_EQ(ReferenceCharsetFor("iso-8859-1", true), 0);
  EXPECT_EQ(ReferenceCharsetFor("utf-8", true), 3);
  EXPECT_NE(ReferenceCharsetFor("windows-1251", true), 0);
}

TEST(SourceOperations, ReadSeekAndStayInsideTheData) {
  HtmlSource source;
  source.OpenBytes("0123456789");
  char buffer[16] = {};
  EXPECT_EQ(source.ReadBytes(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_EQ(source.SeekSource(-2, 2), 8);
  EXPECT_EQ(source.ReadBytes(buffer, 16), 2u);
  EXPECT_EQ(source.ReadBytes(buffer, 16), 0u);
  EXPECT_EQ(source.SeekSource(5, 1), 15);
  EXPECT_EQ(source.ReadBytes(buffer, 1), 0u);
  std::string text;
  EXPECT_EQ(source.NextToken(text), TokenKind::End);
  EXPECT_EQ(source.SeekSource(-3, 0), -3);
  EXPECT_EQ(source.ReadBytes(buffer, 5), 0u);
  EXPECT_EQ(source.NextToken(text), TokenKind::End);
  EXPECT_EQ(source.ReadQuoted('"'), "");
  source.CloseSource();
  EXPECT_EQ(source.Size(), 0u);
}

TEST(SourceOperations, OpenSourceReadsWholeFilesAndToleratesMissingOnes) {
  test::TempFolder folder;
  HtmlSource source;
  EXPECT_TRUE(source.OpenSource(folder.Write("a.html", "<b>x</b>")));
  EXPECT_EQ(source.Size(), 8u);
  EXPECT_FALSE(source.OpenSource(folder / "missing.html"));
  EXPECT_EQ(source.Size(), 0u);
  std::string text;
  EXPECT_EQ(source.NextToken(text), TokenKind::End);
  EXPECT_FALSE(source.OpenSource(folder.path()));  // a folder is no file
  EXPECT_EQ(source.Size(), 0u);
}

TEST(SourceOperations, FindElementAndSkipToTagEnd) {
  HtmlSource source;
  source.OpenBytes("<html><HEAD><Title lang=en>The title</title>< meta>");
  EXPECT_TRUE(source.FindElement("title"));
  EXPECT_TRUE(source.SkipToTagEnd());
  std::string text;
  EXPECT_EQ(source.NextToken(text), TokenKind::Word);
  EXPECT_EQ(text, "The");
  // "< meta": the token after "<" is a space, so no element.
  EXPECT_FALSE(source.FindElement("meta"));
  source.SeekSource(0, 0);
  EXPECT_TRUE(source.FindElement("head"));
  EXPECT_FALSE(source.FindElement("html"));
  source.OpenBytes("<a href=x");
  EXPECT_TRUE(source.FindElement("a"));
  EXPECT_FALSE(source.SkipToTagEnd());
}

TEST(SourceOperations, FindTextAndReadQuoted) {
  HtmlSource source;
  source.OpenBytes("var PAGETITLE = 'it\\'s'; x = \"a\\\"b\"");
  size_t start = 0;
  ASSERT_TRUE(source.FindText("pagetitle", start));
  EXPECT_EQ(start, 13u);
  EXPECT_EQ(source.Position(), 13);
  EXPECT_EQ(source.ReadQuoted('\''), "it's");
  EXPECT_EQ(source.ReadQuoted('"'), "a\\");
  size_t again = start;
  EXPECT_FALSE(source.FindText("pagetitle", again));
  EXPECT_EQ(again, start);
  source.OpenBytes("\"line\r\nnext");
  EXPECT_EQ(source.ReadQuoted('"'), "line next");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// Reads every token of `source`; returns the number of tokens and checks
// that each step advances within the data.
size_t DrainChecked(HtmlSource& source) {
  std::string text;
  size_t tokens = 0;
  for (;;) {
    const int64_t before = source.Position();
    const TokenKind kind = source.NextToken(text);
    EXPECT_LE(source.Position(), static_cast<int64_t>(source.Size()));
    if (kind == TokenKind::End) return tokens;
    ++tokens;
    if (before == source.Position() && !(kind == TokenKind::Space || kind == TokenKind::Word)) {
      ADD_FAILURE() << "no progress at " << before;
      return tokens;
    }
  }
}

// Binary data, invalid UTF-8 and NUL bytes in every mode and code page.
TEST(TokenizerBadInput, BinaryDataInEveryMode) {
  std::mt19937 random(11);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  // Broken references and markup, densely.
  const char* pieces[] = {"&", "&#", "&#x", "&#x110000", "&amp", "<", "<!", "<!-", "-", ".", "/",
                          "\xC3", "\xF0\x90", "'", "1,", "d", "_", "c+", "\\"};
  std::string pieced;
  for (int i = 0; i < 100000; ++i) pieced += pieces[random() % std::size(pieces)];
  for (const char* codePage : {"utf-8", "windows-1252", "koi8-r"}) {
    CodePageGuard cp(codePage);
    for (const bool utf8 : {false, true}) {
      for (const int charset : {0, 3, 15}) {
        TokenizerMode mode{utf8, true, charset};
        for (const std::string* data : {&noise, &pieced}) {
          HtmlSource source(mode);
          source.OpenBytes(*data);
          EXPECT_GT(DrainChecked(source), 0u);
        }
      }
    }
  }
}

// One line of 10 MB in the shapes that take the longest paths: a word, a
// number, a hyphen chain, references, and markup openings.
TEST(TokenizerBadInput, TenMegabyteLines) {
  const size_t size = 10u << 20;
  auto repeat = [&](std::string_view unit) {
    std::string line;
    line.reserve(size + unit.size());
    while (line.size() < size) line += unit;
    return line;
  };
  struct Case {
    std::string line;
    size_t tokens;
  } cases[] = {
      {repeat("a"), 1},
      {repeat("1"), 1},
      {repeat("a-"), 2},  // the word, then the last "-"
      {repeat("&amp;"), 1},
      {repeat("&zz"), 1},
      {repeat("x&#"), 0},
      {repeat("<!"), 0},
  };
  for (Case& c : cases) {
    HtmlSource source;
    const size_t length = c.line.size();
    source.OpenBytes(std::move(c.line));
    const size_t tokens = DrainChecked(source);
    if (c.tokens > 0) {
      EXPECT_EQ(tokens, c.tokens) << length;
    }
    EXPECT_EQ(source.Position(), static_cast<int64_t>(length));
  }
}

// A 200 MB file is read whole; a search runs through all of it and the
// tokenizer stops at its end.
TEST(TokenizerBadInput, TwoHundredMegabyteFile) {
  test::TempFolder folder;
  const std::string path = folder / "big.html";
  {
    std::string block;
    while (block.size() < (1u << 20)) block += "<p class=\"x\">Some text, 2008-05-01 &amp; more</p>\n";
    block.resize(1u << 20);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), file), block.size());
    std::fclose(file);
  }
  HtmlSource source;
  ASSERT_TRUE(source.OpenSource(path));
  EXPECT_EQ(source.Size(), 200u << 20);
  size_t start = 0;
  EXPECT_FALSE(source.FindText("quillmark-category", start));
  source.SeekSource(-(1 << 20), 2);
  EXPECT_GT(DrainChecked(source), 100000u);
  source.CloseSource();
  EXPECT_EQ(source.Size(), 0u);
}

}  // namespace
}  // namespace qm
