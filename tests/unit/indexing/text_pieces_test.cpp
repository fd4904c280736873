#include "indexing/TextPieces.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qm {
namespace {

// The plain byte-by-byte rules the word-wide versions must match.
bool ReferenceIsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string ReferenceLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

void ExpectLikeReference(const std::string& text) {
  EXPECT_EQ(IsAsciiText(text), ReferenceIsAscii(text));
  std::string scratch;
  std::string_view lowered;
  const bool ascii = AsciiLowerView(text, scratch, lowered);
  ASSERT_EQ(ascii, ReferenceIsAscii(text));
  if (!ascii) return;
  EXPECT_EQ(lowered, ReferenceLower(text));
  // Text without capitals is given back as it is, without a copy.
  if (ReferenceLower(text) == text) {
    EXPECT_EQ(lowered.data(), text.data());
  }
}

TEST(TextPieces, EveryByteAtEveryPlace) {
  for (int b = 0; b < 256; ++b) {
    for (size_t length = 1; length <= 19; ++length) {
      for (size_t at = 0; at < length; ++at) {
        std::string text(length, 'q');
        text[at] = static_cast<char>(b);
        ExpectLikeReference(text);
      }
    }
  }
  ExpectLikeReference("");
}

TEST(TextPieces, GeneratedTexts) {
  std::mt19937 random(5);
  for (int round = 0; round < 5000; ++round) {
    std::string text(random() % 40, ' ');
    // Mostly ASCII letters around the edges of the capital range.
    for (char& c : text) c = static_cast<char>(random() % 8 == 0 ? random() % 256 : '?' + random() % 30);
    ExpectLikeReference(text);
  }
}

TEST(TextPieces, TrimAndReplace) {
  EXPECT_EQ(TrimBlanks(" \t\x01 a b \r\n"), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(AsciiLower("MiXeD \xC9"), "mixed \xC9");
  std::string text = "a--b----c";
  ReplaceAll(text, "--", "-");
  EXPECT_EQ(text, "a-b--c");
  ReplaceAll(text, "x", "y");
  EXPECT_EQ(text, "a-b--c");
}

}  // namespace
}  // namespace qm
