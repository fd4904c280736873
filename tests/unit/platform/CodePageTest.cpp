#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CodePageGuard.h"

namespace qm {
namespace {

using test::CodePageGuard;
using test::EnvVarGuard;

TEST(SystemCodePage, IsUtf8ByDefault) {
  EXPECT_EQ(SystemCodePageName(), "utf-8");
  EXPECT_TRUE(SystemCodePageIsUTF8());
}

TEST(SystemCodePage, AcceptsUtf8AndTheSetsWithABuiltInTable) {
  CodePageGuard guard;
  const struct {
    const char* name;
    bool known;
    const char* canonical;  // the name afterwards
  } cases[] = {
      {"windows-1252", true, "windows-1252"}, {"KOI8-R", true, "koi8-r"},
      {"latin2", true, "iso-8859-2"},         {"iso-8859-15", true, "iso-8859-15"},
      {"Windows-1258", true, "windows-1258"}, {"UTF-8", true, "utf-8"},
      {"iso-8859-1", false, "utf-8"},         {"latin1", false, "utf-8"},
      {"us-ascii", false, "utf-8"},           {"utf-16", false, "utf-8"},
      {"shift_jis", false, "utf-8"},          {"", false, "utf-8"},
      {"cp1252", false, "utf-8"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(SetSystemCodePage("utf-8"));
    EXPECT_EQ(SetSystemCodePage(c.name), c.known) << c.name;
    EXPECT_EQ(SystemCodePageName(), c.canonical) << c.name;
    EXPECT_EQ(SystemCodePageIsUTF8(), std::string(c.canonical) == "utf-8") << c.name;
  }
  // An unknown name leaves a single-byte code page in place.
  ASSERT_TRUE(SetSystemCodePage("koi8-r"));
  EXPECT_FALSE(SetSystemCodePage("big5"));
  EXPECT_EQ(SystemCodePageName(), "koi8-r");
}

struct ByteCase {
  unsigned char byte;
  bool letter;
  unsigned char upper;
  unsigned char lower;
};

void ExpectBytes(const char* codePage, std::initializer_list<ByteCase> cases) {
  CodePageGuard guard(codePage);
  for (const ByteCase& c : cases) {
    SCOPED_TRACE(testing::Message() << codePage << " byte 0x" << std::hex << int(c.byte));
    EXPECT_EQ(IsCharAlphaA(c.byte), c.letter);
    EXPECT_EQ(CharUpperA(c.byte), c.upper);
    EXPECT_EQ(CharLowerA(c.byte), c.lower);
    EXPECT_EQ(UpperTable()[c.byte], c.upper);
  }
}

TEST(CodePageBytes, Windows1252LettersAndCase) {
  ExpectBytes("windows-1252", {
                                  {'a', true, 'A', 'a'},
                                  {'Z', true, 'Z', 'z'},
                                  {'5', false, '5', '5'},
                                  {0xE9, true, 0xC9, 0xE9},  // é
                                  {0xC9, true, 0xC9, 0xE9},  // É
                                  {0xFF, true, 0x9F, 0xFF},  // ÿ and Ÿ lie far apart
                                  {0x9F, true, 0x9F, 0xFF},
                                  {0x9A, true, 0x8A, 0x9A},  // š
                                  {0x8A, true, 0x8A, 0x9A},  // Š
                                  {0xDF, true, 0xDF, 0xDF},  // ß has no one-byte capital
                                  {0xB5, true, 0xB5, 0xB5},  // µ: its capital is not in the set
                                  {0xAA, true, 0xAA, 0xAA},  // ª
                                  {0xD7, false, 0xD7, 0xD7},  // ×
                                  {0xF7, false, 0xF7, 0xF7},  // ÷
                                  {0x80, false, 0x80, 0x80},  // €
                                  {0xA0, false, 0xA0, 0xA0},  // no-break space
                                  {0x81, false, 0x81, 0x81},  // undefined
                              });
}

TEST(CodePageBytes, Koi8rLettersAndCase) {
  ExpectBytes("koi8-r", {
                            {0xC1, true, 0xE1, 0xC1},  // а
                            {0xE1, true, 0xE1, 0xC1},  // А
                            {0xDE, true, 0xFE, 0xDE},  // ч
                            {0xA3, true, 0xB3, 0xA3},  // ё
                            {0xB3, true, 0xB3, 0xA3},  // Ё
                            {0x80, false, 0x80, 0x80},  // box drawing
                            {0xBF, false, 0xBF, 0xBF},  // ©
                        });
}

TEST(CodePageBytes, Utf8MakesEveryHighByteALetterAndCasesAsciiOnly) {
  CodePageGuard guard("utf-8");
  for (int b = 0x80; b <= 0xFF; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_TRUE(IsCharAlphaA(byte));
    EXPECT_EQ(CharUpperA(byte), byte);
    EXPECT_EQ(CharLowerA(byte), byte);
  }
  EXPECT_FALSE(IsCharAlphaA('1'));
  EXPECT_FALSE(IsCharAlphaA(' '));
  EXPECT_EQ(UpperBytes("stra\xC3\x9F" "e caf\xC3\xA9"), "STRA\xC3\x9F" "E CAF\xC3\xA9");
  EXPECT_EQ(LowerBytes("\xC3\x89T\xC3\x89"), "\xC3\x89t\xC3\x89");
}

TEST(CodePageBytes, UpperAndLowerBytesFollowTheCodePage) {
  CodePageGuard guard("windows-1251");
  EXPECT_EQ(UpperBytes("\xEF\xF0\xE8\xE2\xE5\xF2 abc"), "\xCF\xD0\xC8\xC2\xC5\xD2 ABC");  // привет
  EXPECT_EQ(LowerBytes("\xCF\xD0\xC8\xC2\xC5\xD2 ABC"), "\xEF\xF0\xE8\xE2\xE5\xF2 abc");
}

TEST(SystemTable, HoldsTheCodePagesCharactersOrQuestionMarksForUtf8) {
  {
    CodePageGuard guard("utf-8");
    for (int i = 0; i < 128; ++i) EXPECT_EQ(SystemTable()[i], u'?');
  }
  CodePageGuard guard("windows-1252");
  EXPECT_EQ(SystemTable()[0x80 - 0x80], u'\u20AC');
  EXPECT_EQ(SystemTable()[0xE9 - 0x80], u'\u00E9');
}

TEST(SystemConversions, Windows1252) {
  CodePageGuard guard("windows-1252");
  EXPECT_EQ(SystemToWide("caf\xE9 \x80"), u"caf\u00E9 \u20AC");
  EXPECT_EQ(WideToSystem(u"caf\u00E9 \u20AC"), "caf\xE9 \x80");
  EXPECT_EQ(WideToSystem(u"\u0416x"), "?x");                 // Ж is not in the set
  EXPECT_EQ(WideToSystem(u"a\xD83D\xDE00" "b"), "a?b");      // one character, one "?"
  EXPECT_EQ(WideToSystem(u"\xD800" "b"), "?b");              // lone surrogate
  EXPECT_EQ(WideToSystem(u"\u0081"), "\x81");                // undefined byte round-trips
}

TEST(SystemConversions, Utf8IsUtf8Decoding) {
  CodePageGuard guard("utf-8");
  EXPECT_EQ(SystemToWide("caf\xC3\xA9"), u"caf\u00E9");
  EXPECT_EQ(WideToSystem(u"caf\u00E9 \u0416 \xD83D\xDE00"), "caf\xC3\xA9 \xD0\x96 \xF0\x9F\x98\x80");
}

TEST(SystemConversions, EverySingleByteCodePageRoundTripsEveryByte) {
  const char* names[] = {"iso-8859-2",   "iso-8859-3",   "iso-8859-4",   "iso-8859-5",
                         "iso-8859-6",   "iso-8859-7",   "iso-8859-8",   "iso-8859-9",
                         "iso-8859-15",  "windows-1250", "windows-1251", "windows-1252",
                         "windows-1253", "windows-1254", "windows-1255", "windows-1256",
                         "windows-1257", "windows-1258", "koi8-r"};
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (const char* name : names) {
    CodePageGuard guard(name);
    EXPECT_EQ(WideToSystem(SystemToWide(all)), all) << name;
    // Casing changes only letters, into letters, and is settled after one
    // step. (It need not lead back: dotless i, final sigma and micro sign
    // lower-case to other letters than they came from.)
    for (int b = 0x80; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      for (unsigned char changed : {CharUpperA(byte), CharLowerA(byte)}) {
        if (changed == byte) continue;
        EXPECT_TRUE(IsCharAlphaA(byte)) << name << " " << b;
        EXPECT_TRUE(IsCharAlphaA(changed)) << name << " " << b;
      }
      EXPECT_EQ(CharUpperA(CharUpperA(byte)), CharUpperA(byte)) << name << " " << b;
      EXPECT_EQ(CharLowerA(CharLowerA(byte)), CharLowerA(byte)) << name << " " << b;
    }
  }
}

TEST(CodePageFromEnvironment, AppliesQuillmarkCodepage) {
  CodePageGuard guard;
  {
    EnvVarGuard env("QUILLMARK_CODEPAGE", "koi8-r");
    EXPECT_TRUE(ApplyCodePageFromEnvironment());
    EXPECT_EQ(SystemCodePageName(), "koi8-r");
  }
  {
    EnvVarGuard env("QUILLMARK_CODEPAGE", "no-such-set");
    EXPECT_FALSE(ApplyCodePageFromEnvironment());
    EXPECT_EQ(SystemCodePageName(), "koi8-r");
  }
  {
    EnvVarGuard env("QUILLMARK_CODEPAGE", "");
    EXPECT_TRUE(ApplyCodePageFromEnvironment());
    EXPECT_EQ(SystemCodePageName(), "koi8-r");
  }
  {
    EnvVarGuard env("QUILLMARK_CODEPAGE", std::nullopt);
    EXPECT_TRUE(ApplyCodePageFromEnvironment());
    EXPECT_EQ(SystemCodePageName(), "koi8-r");
  }
  {
    EnvVarGuard env("QUILLMARK_CODEPAGE", "UTF-8");
    EXPECT_TRUE(ApplyCodePageFromEnvironment());
    EXPECT_TRUE(SystemCodePageIsUTF8());
  }
}

}  // namespace
}  // namespace qm
