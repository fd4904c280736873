// The 19 built-in code page tables against an independent reference: the
// bytes 0x80..0xFF of each character set as glibc's iconv decodes them
// (tests/fixtures/charsets/, made by tools/dump_iconv_reference.sh).
//
// Where the tables deliberately differ from the current published mappings,
// the difference is listed here. Where iconv refuses a byte (the set leaves it
// undefined) the table holds the byte's own value below 0xA0 and a private-use
// code point from 0xA0 on.
//
// glibc and the published mappings (the unicode.org tables, as Python's and
// Perl's codecs carry them) agree on every byte of these 19 sets, so no
// position is listed for a disagreement between them. ICU differs from both
// in two ways, neither of which the tables follow: it decodes the undefined
// bytes 0x80..0x9F of windows-1250..1258 to U+0080..U+009F (the tables do the
// same, by the rule above), and it decodes 0xAA of windows-1253 to U+00AA,
// which the published mapping leaves undefined (the table: private use).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "platform/Unicode.h"

namespace qm {
namespace {

struct TableCase {
  int index;
  const char* name;
};

constexpr TableCase kTables[] = {
    {5, "iso-8859-2"},    {6, "iso-8859-3"},    {7, "iso-8859-4"},    {8, "iso-8859-5"},
    {9, "iso-8859-6"},    {10, "iso-8859-7"},   {11, "iso-8859-8"},   {12, "iso-8859-9"},
    {13, "iso-8859-15"},  {14, "windows-1250"}, {15, "windows-1251"}, {16, "windows-1252"},
    {17, "windows-1253"}, {18, "windows-1254"}, {19, "windows-1255"}, {20, "windows-1256"},
    {21, "windows-1257"}, {22, "windows-1258"}, {23, "koi8-r"},
};

// The positions where a table differs from the published mapping on purpose
// (the older mappings that pages in the wild were written against).
// nullopt: the table treats the byte as undefined.
struct Difference {
  const char* name;
  unsigned char byte;
  std::optional<char16_t> value;
};

const Difference kDifferences[] = {
    {"iso-8859-7", 0xA1, u'\u02BD'},   // published: U+2018
    {"iso-8859-7", 0xA2, u'\u02BC'},   // published: U+2019
    {"iso-8859-7", 0xA4, std::nullopt},  // published: U+20AC
    {"iso-8859-7", 0xA5, std::nullopt},  // published: U+20AF
    {"iso-8859-7", 0xAA, std::nullopt},  // published: U+037A
    {"iso-8859-8", 0xAF, u'\u203E'},   // published: U+00AF
    {"windows-1255", 0xCA, u'\u05BA'},  // published: undefined
};

// byte -> code point, nullopt where iconv refuses the byte.
std::map<int, std::optional<char32_t>> ReadReference(const std::string& name) {
  std::ifstream in(std::string(QUILLMARK_FIXTURES) + "/charsets/" + name + ".txt");
  std::map<int, std::optional<char32_t>> reference;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string byte, value;
    fields >> byte >> value;
    reference[std::stoi(byte, nullptr, 16)] =
        value == "-" ? std::nullopt
                     : std::optional<char32_t>(static_cast<char32_t>(std::stoul(value, nullptr, 16)));
  }
  return reference;
}

bool IsPrivateUse(char16_t u) { return u >= 0xE000 && u <= 0xF8FF; }

class CharsetTable : public testing::TestWithParam<TableCase> {};

TEST_P(CharsetTable, MatchesIconvApartFromTheListedDifferences) {
  const TableCase table = GetParam();
  EXPECT_EQ(CharsetIndex(table.name), table.index);
  const auto reference = ReadReference(table.name);
  ASSERT_EQ(reference.size(), 128u) << "fixture of " << table.name;

  std::set<char16_t> seen;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    SCOPED_TRACE(testing::Message() << table.name << " byte 0x" << std::hex << byte);
    const WideString decoded = CharsetToWide(std::string(1, static_cast<char>(byte)), table.index);
    ASSERT_EQ(decoded.size(), 1u);
    const char16_t unit = decoded[0];
    EXPECT_TRUE(seen.insert(unit).second) << "two bytes decode to the same character";

    std::optional<char32_t> expected = reference.at(byte);
    for (const Difference& difference : kDifferences) {
      if (difference.name == std::string(table.name) && difference.byte == byte) {
        expected = difference.value;
      }
    }
    if (expected) {
      EXPECT_EQ(static_cast<char32_t>(unit), *expected);
    } else if (byte < 0xA0) {
      EXPECT_EQ(unit, static_cast<char16_t>(byte));
    } else {
      EXPECT_TRUE(IsPrivateUse(unit)) << "undefined byte gives U+" << std::hex << int(unit);
    }
  }
}

TEST_P(CharsetTable, BytesBelow0x80StandForThemselves) {
  std::string ascii;
  WideString expected;
  for (int byte = 0; byte < 0x80; ++byte) {
    ascii.push_back(static_cast<char>(byte));
    expected.push_back(static_cast<char16_t>(byte));
  }
  EXPECT_EQ(CharsetToWide(ascii, GetParam().index), expected);
}

INSTANTIATE_TEST_SUITE_P(AllBuiltIn, CharsetTable, testing::ValuesIn(kTables),
                         [](const testing::TestParamInfo<TableCase>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (c == '-') c = '_';
                           }
                           return name;
                         });

TEST(CharsetTables, EveryListedDifferenceNamesABuiltInTable) {
  for (const Difference& difference : kDifferences) {
    EXPECT_GE(CharsetIndex(difference.name), 5) << difference.name;
  }
}

}  // namespace
}  // namespace qm
