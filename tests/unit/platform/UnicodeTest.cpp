#include "platform/Unicode.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "support/CodePageGuard.h"

namespace qm {
namespace {

using test::CodePageGuard;

TEST(CharsetIndex, FindsTheFirstGroupHoldingTheNameAsAWholeAliasOrTail) {
  const struct {
    const char* name;
    int index;
  } cases[] = {
      {"UTF-8", 3},        {"Windows-1251", 15}, {"latin1", 4},       {"cp367", 1},
      {"", 1},             {"big5", 0},          {"shift_jis", 0},    {"8859-5", 8},
      {"ISO-8859-1", 4},   {"iso-8859-15", 13},  {"LATIN9", 13},      {"koi8-r", 23},
      {"KOI8-R", 23},      {"greek8", 10},       {"Greek", 10},       {"hebrew", 11},
      {"arabic", 9},       {"cyrillic", 8},      {"latin5", 12},      {"us", 1},
      {"ascii", 1},        {"US-ASCII", 1},      {"ibm819", 4},       {"utf-16", 2},
      {"windows-1258", 22}, {"windows-125", 0},  {"utf8", 0},         {"koi8-u", 0},
      {"x-user-defined", 0}, {"windows-1252 ", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CharsetIndex(c.name), c.index) << '"' << c.name << '"';
}

TEST(CharsetIndex, EveryGroupTextFindsItsOwnIndex) {
  for (int index = 1; index <= kCharsetCount; ++index) {
    const std::string_view group = CharsetGroupText(index);
    ASSERT_FALSE(group.empty());
    EXPECT_EQ(group.back(), '.');
    // The group's first alias leads back to the group.
    EXPECT_EQ(CharsetIndex(group.substr(0, group.find('.'))), index) << group;
  }
  EXPECT_TRUE(CharsetGroupText(0).empty());
  EXPECT_TRUE(CharsetGroupText(24).empty());
}

TEST(CharsetToWide, DecodesWithTheGroupsTable) {
  EXPECT_EQ(CharsetToWide("\xE0", 15), u"\u0430");
  EXPECT_EQ(CharsetToWide("\xE0", 23), u"\u042E");
  EXPECT_EQ(CharsetToWide("caf\xE9", 16), u"caf\u00E9");
  EXPECT_EQ(CharsetToWide("\xC3\xA9", 3), u"\u00E9");
  EXPECT_EQ(CharsetToWide("", 15), u"");
}

TEST(CharsetToWide, GroupsWithoutATableUseTheSystemCodePage) {
  {
    // With UTF-8 as the code page, "system" decoding is UTF-8, except latin1,
    // which browsers read as windows-1252.
    CodePageGuard utf8;
    for (int index : {0, 1, 2}) EXPECT_EQ(CharsetToWide("\xC3\xA9", index), u"\u00E9") << index;
    EXPECT_EQ(CharsetToWide("\x80\xE9", 4), u"\u20AC\u00E9");
    EXPECT_EQ(CharsetToWide("\x80\xE9", 24), UTF8ToWide("\x80\xE9"));
  }
  {
    CodePageGuard cp1251("windows-1251");
    for (int index : {0, 1, 2, 4}) EXPECT_EQ(CharsetToWide("\xE0\x80", index), u"\u0430\u0402") << index;
    EXPECT_EQ(CharsetToWide("\xE0", 3), UTF8ToWide("\xE0"));
  }
}

struct Utf8Case {
  std::string utf8;
  std::u16string wide;
  const char* why;
};

TEST(UTF8ToWide, FollowsTheReferenceDecoderWithoutValidation) {
  const Utf8Case cases[] = {
      {"", u"", "empty"},
      {"plain", u"plain", "ASCII"},
      {"\xC3\xA9", u"\u00E9", "two bytes"},
      {"\xE2\x82\xAC", u"\u20AC", "three bytes"},
      {"\xF0\x9F\x98\x80", u"\xD83D\xDE00", "four bytes give a surrogate pair"},
      {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF", "U+10FFFF"},
      {"\xF4\x90\x80\x80", u"\uFFFD", "above U+10FFFF"},
      {"\x80", u"\u0080", "lone continuation byte stands for its own value"},
      {"a\xBF" "b", u"a\u00BF" "b", "continuation byte inside text"},
      {"\xE9" "ab", u"\u8822", "Latin-1 byte swallows the next two bytes untested"},
      {"\xC3" "a", u"\u00A1", "trailing byte not tested"},
      {"\xE2\x82" "A", u"\u2041", "trailing byte not tested (three bytes)"},
      {"\xC0\x80", std::u16string(1, u'\0'), "overlong zero"},
      {"\xC0\xAF", u"/", "overlong slash"},
      {"\xC1\xBF", u"\u007F", "overlong DEL"},
      {"\xE0\x80\x80", std::u16string(1, u'\0'), "overlong three bytes"},
      {"\xF0\x80\x80\x80", std::u16string(1, u'\0'), "overlong four bytes"},
      {"\xED\xA0\x80", u"\xD800", "encoded surrogate passes as one unit"},
      {"\xF8\x88\x80\x80\x80", u"\uFFFD", "five bytes, U+200000"},
      {"\xF8\x80\x80\x80\x80", std::u16string(1, u'\0'), "five bytes, overlong zero"},
      {"\xFC\x84\x80\x80\x80\x80", u"\uFFFD", "six bytes, U+4000000"},
      {"\xFC\x80\x80\x80\x80\x80", std::u16string(1, u'\0'),
       "six bytes: the 32-bit accumulator wraps as in the reference code"},
      {"\xFF\xFF\xFF\xFF\xFF\xFF", u"\uFFFD", "six 0xFF"},
      {"x\xC3\xA9y\xE2\x82\xACz", u"x\u00E9y\u20ACz", "mixed"},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(UTF8ToWide(c.utf8), c.wide) << c.why;
}

TEST(UTF8ToWide, ASequenceCutOffByTheEndIsNotReadPastTheEnd) {
  // Each text is a view of the first bytes of a complete sequence, in a heap
  // block of exactly that size: reading on would see the rest of the sequence
  // (and trip the address sanitizer or valgrind).
  const std::string full[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                              "\xF8\x88\x80\x80\x80", "\xFC\x84\x80\x80\x80\x80"};
  for (const std::string& sequence : full) {
    for (size_t cut = 1; cut < sequence.size(); ++cut) {
      const std::string text = "ok" + sequence.substr(0, cut);
      auto exact = std::make_unique<char[]>(text.size());
      std::copy(text.begin(), text.end(), exact.get());
      const WideString wide = UTF8ToWide(std::string_view(exact.get(), text.size()));
      ASSERT_GE(wide.size(), 2u);
      EXPECT_EQ(wide.substr(0, 2), u"ok");
      if (UTF8ToWide(sequence) != u"\uFFFD") {
        EXPECT_EQ(wide.find(UTF8ToWide(sequence)), WideString::npos) << "cut " << cut;
      }
      EXPECT_LE(wide.size(), 3u);
    }
  }
  EXPECT_EQ(UTF8ToWide("caf\xE9"), u"caf\uFFFD");
}

TEST(WideToUTF8, EncodesPairsAsFourBytesAndEveryOtherUnitAlone) {
  const Utf8Case cases[] = {
      {"", u"", "empty"},
      {"\x7F", u"\u007F", "last one-byte unit"},
      {"\xC2\x80", u"\u0080", "first two-byte unit"},
      {"\xC3\xA9", u"\u00E9", "e acute"},
      {"\xDF\xBF", u"\u07FF", "last two-byte unit"},
      {"\xE0\xA0\x80", u"\u0800", "first three-byte unit"},
      {"\xE2\x82\xAC", u"\u20AC", "euro"},
      {"\xEF\xBF\xBF", u"\uFFFF", "last unit"},
      {"\xF0\x9F\x98\x80", u"\xD83D\xDE00", "surrogate pair"},
      {"\xED\xA0\x80", u"\xD800", "lone high surrogate"},
      {"\xED\xB0\x80" "a", u"\xDC00" "a", "lone low surrogate"},
      {"\xED\xB8\x80\xED\xA0\xBD", u"\xDE00\xD83D", "pair in the wrong order"},
      {"\xED\xA0\xBD", u"\xD83D", "high surrogate at the end"},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(WideToUTF8(c.wide), c.utf8) << c.why;
  EXPECT_EQ(WideToUTF8(std::u16string(1, u'\0')), std::string(1, '\0'));
}

TEST(WideToUTF8, RoundTripsEveryCharacter) {
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    WideString wide;
    if (cp > 0xFFFF) {
      wide = {static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)),
              static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
    } else {
      wide = {static_cast<char16_t>(cp)};
    }
    const std::string utf8 = WideToUTF8(wide);
    ASSERT_EQ(utf8, CodePointToUTF8(cp)) << std::hex << uint32_t(cp);
    ASSERT_EQ(UTF8ToWide(utf8), wide) << std::hex << uint32_t(cp);
  }
}

TEST(UTF8ToWide, RandomBytesNeverCrashAndStayBounded) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 40, '\0');
    for (char& c : text) c = static_cast<char>(random());
    const WideString wide = UTF8ToWide(text);
    EXPECT_LE(wide.size(), text.size());
  }
}

TEST(CodePointToUTF8, EncodesOneCodePoint) {
  EXPECT_EQ(CodePointToUTF8(U'A'), "A");
  EXPECT_EQ(CodePointToUTF8(U'\u00E9'), "\xC3\xA9");
  EXPECT_EQ(CodePointToUTF8(U'\U0001F600'), "\xF0\x9F\x98\x80");
  EXPECT_EQ(CodePointToUTF8(0x110000), "\xEF\xBF\xBD");
}

TEST(WideLower, LowerCasesEachCharacter) {
  const struct {
    std::u16string in, out;
  } cases[] = {
      {u"", u""},
      {u"ABC xyz 123", u"abc xyz 123"},
      {u"\u00C0\u00C9\u00CE\u00D6", u"\u00E0\u00E9\u00EE\u00F6"},  // ÀÉÎÖ
      {u"\u0416\u0423\u041A \u0401", u"\u0436\u0443\u043A \u0451"},  // ЖУК Ё
      {u"\u03A3\u0391\u03A3", u"\u03C3\u03B1\u03C3"},  // ΣΑΣ: simple mapping, no final sigma
      {u"\u0130", u"i"},                                 // İ: simple mapping
      {u"\u00DF\u1E9E", u"\u00DF\u00DF"},                // ß stays, ẞ lowers to ß
      {u"\xD801\xDC00", u"\xD801\xDC28"},                // Deseret capital long I
      {u"\xD801" "A", u"\xD801" "a"},                    // lone surrogate kept
      {u"\u2160", u"\u2170"},                            // Roman numeral one
  };
  for (const auto& c : cases) EXPECT_EQ(WideLower(c.in), c.out);
}

}  // namespace
}  // namespace qm
