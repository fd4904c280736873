#include "platform/CodePage.h"

#include <unicode/uchar.h>

#include <array>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "platform/CodePageTables.h"

namespace qm {
namespace {

// Everything derived from the chosen code page, built once when it is chosen.
struct CodePageState {
  std::string name = "utf-8";
  bool utf8 = true;
  std::array<char16_t, 128> table{};  // SystemTable
  std::array<bool, 256> alpha{};
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
  std::unordered_map<char16_t, unsigned char> reverse;  // unit -> byte, 0x80..0xFF

  void BuildAscii() {
    for (int b = 0; b < 256; ++b) {
      const auto c = static_cast<unsigned char>(b);
      alpha[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      upper[c] = (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
      lower[c] = (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
    }
  }

  void BuildUtf8() {
    name = "utf-8";
    utf8 = true;
    table.fill(u'?');
    reverse.clear();
    BuildAscii();
    for (int b = 0x80; b < 256; ++b) alpha[static_cast<size_t>(b)] = true;
  }

  void BuildSingleByte(int group, std::string canonical) {
    name = std::move(canonical);
    utf8 = false;
    const char16_t* source = kCodePageTables[group - kFirstTableGroup];
    reverse.clear();
    for (int i = 0; i < 128; ++i) {
      table[static_cast<size_t>(i)] = source[i];
      reverse.emplace(source[i], static_cast<unsigned char>(0x80 + i));
    }
    BuildAscii();
    auto toByte = [&](UChar32 cp, unsigned char fallback) -> unsigned char {
      if (cp < 0x80) return static_cast<unsigned char>(cp);
      auto it = cp <= 0xFFFF ? reverse.find(static_cast<char16_t>(cp)) : reverse.end();
      return it == reverse.end() ? fallback : it->second;
    };
    for (int b = 0x80; b < 256; ++b) {
      const auto c = static_cast<unsigned char>(b);
      const UChar32 ch = table[static_cast<size_t>(b - 0x80)];
      alpha[c] = u_isalpha(ch);
      upper[c] = toByte(u_toupper(ch), c);
      lower[c] = toByte(u_tolower(ch), c);
    }
  }
};

CodePageState& State() {
  static CodePageState state = [] {
    CodePageState s;
    s.BuildUtf8();
    return s;
  }();
  return state;
}

}  // namespace

bool SetSystemCodePage(std::string_view name) {
  const int group = CharsetIndex(name);
  if (group == kCharsetUtf8) {
    State().BuildUtf8();
    return true;
  }
  if (group < kFirstTableGroup || group > kCharsetCount) return false;
  // The canonical name is the group's first alias.
  std::string_view aliases = CharsetGroupText(group);
  State().BuildSingleByte(group, std::string(aliases.substr(0, aliases.find('.'))));
  return true;
}

bool ApplyCodePageFromEnvironment() {
  const char* value = std::getenv("QUILLMARK_CODEPAGE");
  if (value == nullptr || *value == '\0') return true;
  return SetSystemCodePage(value);
}

std::string_view SystemCodePageName() { return State().name; }
bool SystemCodePageIsUTF8() { return State().utf8; }
const char16_t* SystemTable() { return State().table.data(); }

WideString SystemToWide(std::string_view text) {
  if (SystemCodePageIsUTF8()) return UTF8ToWide(text);
  const char16_t* table = SystemTable();
  WideString out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : table[byte - 0x80]);
  }
  return out;
}

std::string WideToSystem(WideView text) {
  if (SystemCodePageIsUTF8()) return WideToUTF8(text);
  const auto& reverse = State().reverse;
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    // A surrogate pair is one character the code page lacks: one "?".
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
    }
    auto it = reverse.find(u);
    out.push_back(it == reverse.end() ? '?' : static_cast<char>(it->second));
  }
  return out;
}

bool IsCharAlphaA(unsigned char c) { return State().alpha[c]; }
unsigned char CharUpperA(unsigned char c) { return State().upper[c]; }
unsigned char CharLowerA(unsigned char c) { return State().lower[c]; }
const unsigned char* UpperTable() { return State().upper.data(); }

std::string UpperBytes(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(CharUpperA(static_cast<unsigned char>(c)));
  return out;
}

std::string LowerBytes(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(CharLowerA(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace qm
