#include "database/TextForms.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CodePageGuard.h"

namespace qm {
namespace {

using test::CodePageGuard;

struct StoredCase {
  const char* codePage;
  std::string text;
  const char* charset;
  std::string stored;  // in UTF-8 mode
};

TEST(ToStoredText, ConvertsToUtf8InUtf8Mode) {
  const StoredCase cases[] = {
      {"utf-8", "caf\xC3\xA9", "", "caf\xC3\xA9"},
      {"utf-8", "caf\xC3\xA9", "UTF-8", "caf\xC3\xA9"},
      {"utf-8", "bad \xE9", "utf-8", "bad \xE9"},  // declared UTF-8: bytes kept as they are
      {"utf-8", "\xC1\xC2", "koi8-r", "\xD0\xB0\xD0\xB1"},        // аб
      {"utf-8", "\xCF\xF0\xE8", "Windows-1251", "\xD0\x9F\xD1\x80\xD0\xB8"},  // При
      {"utf-8", "\x80 \xE9", "latin1", "\xE2\x82\xAC \xC3\xA9"},  // browsers read latin1 as windows-1252
      {"utf-8", "\xC3\xA9", "big5", "\xC3\xA9"},  // unknown set: the system code page
      {"windows-1252", "caf\xE9", "", "caf\xC3\xA9"},
      {"windows-1252", "caf\xE9", "shift_jis", "caf\xC3\xA9"},
      {"windows-1252", "caf\xE9", "iso-8859-1", "caf\xC3\xA9"},
      {"windows-1252", "\xE9", "koi8-r", "\xD0\x98"},  // И
      {"koi8-r", "\xF0\xD2\xC9\xD7\xC5\xD4", "", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"koi8-r", "\xF0\xD2\xC9", "us-ascii", "\xD0\x9F\xD1\x80\xD0\xB8"},
  };
  for (const StoredCase& c : cases) {
    CodePageGuard guard(c.codePage);
    EXPECT_EQ(ToStoredText(c.text, c.charset, true), c.stored) << c.codePage << " " << c.charset;
    // Outside UTF-8 mode the bytes are stored as read.
    EXPECT_EQ(ToStoredText(c.text, c.charset, false), c.text) << c.codePage << " " << c.charset;
  }
}

TEST(ToDisplayText, TakesUtf8BackToTheSystemCodePage) {
  {
    CodePageGuard guard("windows-1252");
    EXPECT_EQ(ToDisplayText("caf\xC3\xA9 \xE2\x82\xAC", true), "caf\xE9 \x80");
    EXPECT_EQ(ToDisplayText("\xD0\x96", true), "?");
    EXPECT_EQ(ToDisplayText("caf\xE9", false), "caf\xE9");
  }
  CodePageGuard guard("utf-8");
  EXPECT_EQ(ToDisplayText("caf\xC3\xA9", true), "caf\xC3\xA9");
  EXPECT_EQ(ToDisplayText("raw \xE9", false), "raw \xE9");
}

TEST(LowerText, LowerCasesUnicodeInUtf8ModeAndBytesOtherwise) {
  {
    CodePageGuard guard("windows-1252");
    EXPECT_EQ(LowerText("\xC3\x89T\xC3\x89 \xD0\x9F", true), "\xC3\xA9t\xC3\xA9 \xD0\xBF");  // ÉTÉ П
    EXPECT_EQ(LowerText("\xC9T\xC9 ABC", false), "\xE9t\xE9 abc");
  }
  {
    CodePageGuard guard("koi8-r");
    EXPECT_EQ(LowerText("\xF0\xE1", false), "\xD0\xC1");  // ПА
  }
  // With the UTF-8 code page a database outside UTF-8 mode is UTF-8 too.
  CodePageGuard guard("utf-8");
  EXPECT_EQ(LowerText("\xC3\x89T\xC3\x89", false), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(LowerText("ABC", true), "abc");
}

}  // namespace
}  // namespace qm
