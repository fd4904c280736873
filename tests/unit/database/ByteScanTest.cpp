#include "database/ByteScan.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CodePageGuard.h"

namespace qm {
namespace {

using test::CodePageGuard;

TEST(FindText, FindsTheFirstMatchIgnoringCase) {
  const struct {
    std::string data;
    std::string text;
    size_t start;
    bool found;
    size_t after;
  } cases[] = {
      {"abc//Settings\r\n", "//settings", 0, true, 13},
      {"//SETTINGS", "//Settings", 0, true, 10},
      {"x //Settings y //Settings", "//settings", 2, true, 12},
      {"x //Settings y //Settings", "//settings", 3, true, 25},
      {"//Settings", "//Settings", 1, false, 1},
      {"//Setting", "//Settings", 0, false, 0},  // does not fit
      {"", "x", 0, false, 0},
      {"abc", "", 1, true, 1},
      {"abc", "c", 3, false, 3},
      {"abc", "c", 7, false, 7},  // start past the end
      {"aaab", "aab", 0, true, 4},
      {"var cg = new Array(", "var cg=new Array(", 0, false, 0},
      // Matches are found by their rarest byte, wherever it is in the text.
      {"k\"Keywords\" \"keywords\"", "\"keywords\"", 0, true, 11},
      {"\"kw\" \"kw\"", "\"kw\"", 1, true, 9},
      {"xkw\"", "\"kw\"", 0, false, 0},
      {"a\"kw", "\"kw\"", 0, false, 0},
  };
  for (const auto& c : cases) {
    size_t pos = c.start;
    EXPECT_EQ(FindText(c.data, c.text, pos), c.found) << c.data << " / " << c.text;
    EXPECT_EQ(pos, c.after) << c.data << " / " << c.text;
  }
}

TEST(FindText, FoldsCaseByTheCodePage) {
  {
    CodePageGuard guard("windows-1252");
    size_t pos = 0;
    EXPECT_TRUE(FindText("x \xC9T\xC9", "\xE9t\xE9", pos));  // ÉTÉ / été
    EXPECT_EQ(pos, 5u);
  }
  CodePageGuard guard("utf-8");
  size_t pos = 0;
  EXPECT_FALSE(FindText("\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9", pos));  // only ASCII folds
  pos = 0;
  EXPECT_TRUE(FindText("\xC3\x89T\xC3\x89", "\xC3\x89t\xC3\x89", pos));
}

TEST(FindText, MatchesEveryByteThatUpperCasesLikeTheMarker) {
  // In windows-1254 the dotless i upper-cases to I, as i does.
  CodePageGuard guard("windows-1254");
  size_t pos = 0;
  EXPECT_TRUE(FindText("xx \xFD" "TEM", "item", pos));
  EXPECT_EQ(pos, 7u);
  pos = 0;
  EXPECT_TRUE(FindText("vIx vie", "vie", pos));  // the first candidate fails, the second fits
  EXPECT_EQ(pos, 7u);
}

TEST(FindText, NeverLooksPastTheData) {
  const std::string text = "abc//Set";
  size_t pos = 0;
  EXPECT_FALSE(FindText(std::string_view(text).substr(0, 7), "//Set", pos));
}

TEST(ReadQuoted, ReadsOneQuotedText) {
  const struct {
    std::string data;
    size_t start;
    char quote;
    std::string text;
    size_t after;
  } cases[] = {
      {"x 'abc', 'd'", 0, '\'', "abc", 7},
      {"x 'abc', 'd'", 7, '\'', "d", 12},
      {"'a\\'b\\\\c'", 0, '\'', "a'b\\c", 9},
      {"'a\\\"b'", 0, '\'', "a\"b", 6},
      {"\"a\\\"b\"", 0, '"', "a\\", 4},  // no escape with the double quote
      {"'a\r\nb\rc\nd'", 0, '\'', "a b cd", 10},
      {"'abc", 0, '\'', "abc", 4},  // the end of the data ends the text
      {"no quote", 0, '\'', "", 8},
      {"''", 0, '\'', "", 2},
      {"'a'", 3, '\'', "", 3},
      {"'a'", 9, '\'', "", 9},
      {"'\\", 0, '\'', "", 2},
      {"'\\\\\\\\'x", 0, '\'', "\\\\", 6},   // two escaped backslashes, then the close
      {"'\\\\\\'x'", 0, '\'', "\\'x", 7},      // an escaped backslash, an escaped quote
      {"x\\''", 0, '\'', "", 4},                  // a backslash before the opening quote escapes nothing
      {"'a\\\r\nb'", 0, '\'', "a\rb", 7},          // an escaped CR is kept; the LF gives nothing
      {"\"a\r\n'b\"", 0, '"', "a 'b", 7},
  };
  for (const auto& c : cases) {
    size_t pos = c.start;
    EXPECT_EQ(ReadQuoted(c.data, pos, c.quote), c.text) << c.data;
    EXPECT_EQ(pos, c.after) << c.data;
  }
}

}  // namespace
}  // namespace qm
