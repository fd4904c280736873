#include "database/Addresses.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "database/TextForms.h"
#include "platform/Paths.h"
#include "support/CodePageGuard.h"

namespace qm {
namespace {

using test::CodePageGuard;

struct TextCase {
  std::string in;
  std::string out;
};

TEST(EncodeURL, KeepsOnlyLettersDigitsAndThreeSigns) {
  const TextCase cases[] = {
      {"a b/c.html", "a%20b%2Fc.html"}, {"AZaz09-._", "AZaz09-._"}, {"C:", "C%3A"},
      {"\xE9", "%E9"},                  {"~", "%7E"},              {"100%", "100%25"},
      {"a+b", "a%2Bb"},                 {"", ""},                  {std::string(1, '\0'), "%00"},
      {"'\\^", "%27%5C%5E"},            {"\xFF", "%FF"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(EncodeURL(c.in), c.out) << c.in;
}

TEST(DecodeURL, DecodesEscapesAndPlusSigns) {
  const TextCase cases[] = {
      {"a%20b%2Fc.html", "a b/c.html"},
      {"50%2", "50_2"},      // fewer than two bytes after "%"
      {"%", "_"},
      {"%4", "_4"},
      {"%zz", "\xFF"},       // not hexadecimal
      {"%4g", "\xFF"},
      {"%%41", "\xFF" "1"},  // "%%4" is one escape
      {"a+b", "a b"},
      {"%41%62", "Ab"},
      {"%e9%C3%a9", "\xE9\xC3\xA9"},
      {"%00", std::string(1, '\0')},
      {"", ""},
      {"plain.html", "plain.html"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(DecodeURL(c.in), c.out) << c.in;
}

TEST(DecodeURL, UndoesEncodeURLForAnyBytes) {
  std::mt19937 random(3);
  for (int round = 0; round < 1000; ++round) {
    std::string text(random() % 30, '\0');
    for (char& c : text) c = static_cast<char>(random());
    EXPECT_EQ(DecodeURL(EncodeURL(text)), text);
  }
}

struct LinkCase {
  const char* database;
  std::string file;
  std::string address;
};

TEST(MakeLinkURL, MakesTheAddressRelativeToTheDatabaseFolder) {
  const LinkCase cases[] = {
      {"/site/searchdb.js", "/site/index.html", "index.html"},
      {"/site/searchdb.js", "/site/docs/a.html", "docs%2Fa.html"},
      {"/site/search/db.js", "/site/a.html", "..%2Fa.html"},
      {"/Site/db.js", "/site/a.html", "..%2Fsite%2Fa.html"},  // compared case-sensitively
      {"/site/a/b/db.js", "/site/c/d.html", "..%2F..%2Fc%2Fd.html"},
      {"/site/db.js", "/x.html", "..%2Fx.html"},
      {"/site/db.js", "/site/db.jsx", "db.jsx"},
      {"/site/db.js", "/site/db.js", "db.js"},
      {"/site/db.js", "/site/my file (1).html", "my%20file%20%281%29.html"},
      // A folder of the database path that begins the name of the file's
      // folder is not a common folder.
      {"/site/a/db.js", "/site/ab/x.html", "..%2Fab%2Fx.html"},
      {"/site/db.js", "/siteB/x.html", "..%2FsiteB%2Fx.html"},
      {"/site/sub/db.js", "/site/sub", "..%2Fsub"},
      // A path that does not even begin like the database path is kept whole.
      {"/site/db.js", "x.html", "x.html"},
      {"site/db.js", "other/x.html", "other%2Fx.html"},
  };
  for (const LinkCase& c : cases) {
    EXPECT_EQ(MakeLinkURL(c.database, c.file, false), c.address) << c.database << " " << c.file;
    // Whatever the address, it leads back to the file.
    if (c.file[0] == '/') {
      EXPECT_EQ(AbsolutePath(LinkURLToPath(DecodeURL(c.address), c.database)), c.file) << c.file;
    }
  }
}

TEST(MakeLinkURL, ConvertsTheFileNameToUtf8InUtf8Mode) {
  {
    CodePageGuard guard("windows-1252");
    EXPECT_EQ(MakeLinkURL("/site/db.js", "/site/caf\xE9.html", true), "caf%C3%A9.html");
    EXPECT_EQ(MakeLinkURL("/site/db.js", "/site/caf\xE9.html", false), "caf%E9.html");
  }
  CodePageGuard guard("utf-8");
  EXPECT_EQ(MakeLinkURL("/site/db.js", "/site/caf\xC3\xA9.html", true), "caf%C3%A9.html");
}

TEST(MakeLinkURL, KeepsANameThatIsNotUtf8FindableInTheUtf8CodePage) {
  // A file copied from an older system: its name holds the latin-1 byte 0xE9.
  CodePageGuard guard("utf-8");
  const std::string file = "/site/caf\xE9.html";
  for (bool utf8Mode : {true, false}) {
    const std::string url = MakeLinkURL("/site/db.js", file, utf8Mode);
    EXPECT_EQ(url, "caf%E9.html");
    const std::string address = ToDisplayText(DecodeURL(url), utf8Mode);
    EXPECT_EQ(LinkURLToPath(address, "/site/db.js"), file);
  }
}

struct PathCase {
  std::string address;
  const char* database;
  std::string path;
};

TEST(LinkURLToPath, ResolvesAgainstTheDatabaseFolder) {
  const PathCase cases[] = {
      {"docs/a.html", "/site/searchdb.js", "/site/docs/a.html"},
      {"/x/y.html", "/site/searchdb.js", "/x/y.html"},  // already a local path
      {"100%.html", "/site/db.js", "/site/100%.html"},  // "%" is copied as it is
      {"a b%20c.html", "/site/db.js", "/site/a b%20c.html"},
      {"../up.html", "/site/sub/db.js", "/site/sub/../up.html"},
      {"x.html", "db.js", "x.html"},
      {"", "/site/db.js", "/site/"},
  };
  for (const PathCase& c : cases) EXPECT_EQ(LinkURLToPath(c.address, c.database), c.path) << c.address;
}

TEST(IsRemoteAddress, LooksForASchemeSeparator) {
  EXPECT_TRUE(IsRemoteAddress("http://example.org/a.mp3"));
  EXPECT_TRUE(IsRemoteAddress("ftp://host/x"));
  EXPECT_FALSE(IsRemoteAddress("docs/a.html"));
  EXPECT_FALSE(IsRemoteAddress("mailto:me@example.org"));
}

}  // namespace
}  // namespace qm
