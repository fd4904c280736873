#include "platform/Unicode.h"

#include <unicode/uchar.h>

#include <array>
#include <cstdint>

#include "platform/CodePage.h"
#include "platform/CodePageTables.h"

namespace qm {
namespace {

// The alias table: each group's names, each followed by a full stop.
constexpr std::array<std::string_view, kCharsetCount> kCharsetGroups = {
    "us-ascii.ascii.us.ibm367.cp367.",
    "utf-16.",
    "utf-8.",
    "iso-8859-1.latin1.ibm819.cp819.",
    "iso-8859-2.latin2.",
    "iso-8859-3.latin3.",
    "iso-8859-4.latin4.",
    "iso-8859-5.cyrillic.",
    "iso-8859-6.arabic.",
    "iso-8859-7.greek.greek8.",
    "iso-8859-8.hebrew.",
    "iso-8859-9.latin5.",
    "iso-8859-15.latin9.",
    "windows-1250.",
    "windows-1251.",
    "windows-1252.",
    "windows-1253.",
    "windows-1254.",
    "windows-1255.",
    "windows-1256.",
    "windows-1257.",
    "windows-1258.",
    "koi8-r.",
};

// Subtracted from the accumulated value of a sequence with n trailing bytes.
constexpr uint32_t kUtf8Offsets[6] = {0x00000000u, 0x00003080u, 0x000E2080u,
                                      0x03C82080u, 0xFA082080u, 0x82082080u};

int TrailingBytes(unsigned char lead) {
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 1;
  if (lead < 0xF0) return 2;
  if (lead < 0xF8) return 3;
  if (lead < 0xFC) return 4;
  return 5;
}

void AppendCodePoint(WideString& out, uint32_t value) {
  if (value <= 0xFFFF) {
    out.push_back(static_cast<char16_t>(value));
  } else if (value <= 0x10FFFF) {
    const uint32_t v = value - 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
  } else {
    out.push_back(u'\uFFFD');
  }
}

void AppendUnit(std::string& out, uint32_t u) {
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

void AppendFourBytes(std::string& out, uint32_t cp) {
  out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
  out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
}

WideString DecodeWithTable(std::string_view text, const char16_t* table) {
  WideString out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : table[byte - 0x80]);
  }
  return out;
}

}  // namespace

int CharsetIndex(std::string_view name) {
  std::string key;
  key.reserve(name.size() + 1);
  for (char c : name) key.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
  key.push_back('.');
  for (size_t i = 0; i < kCharsetGroups.size(); ++i) {
    if (kCharsetGroups[i].find(key) != std::string_view::npos) return static_cast<int>(i) + 1;
  }
  return kCharsetUnknown;
}

std::string_view CharsetGroupText(int index) {
  if (index < 1 || index > kCharsetCount) return {};
  return kCharsetGroups[static_cast<size_t>(index) - 1];
}

WideString CharsetToWide(std::string_view text, int index) {
  if (index == kCharsetUtf8) return UTF8ToWide(text);
  if (index >= kFirstTableGroup && index <= kCharsetCount) {
    return DecodeWithTable(text, kCodePageTables[index - kFirstTableGroup]);
  }
  // Groups 0, 1, 2 and 4 are read in the system code page. A lone byte means
  // nothing in UTF-8, so with UTF-8 as the code page latin1 is read as
  // windows-1252, as browsers do, and the others as UTF-8.
  if (SystemCodePageIsUTF8()) {
    if (index == kCharsetLatin1) {
      return DecodeWithTable(text, kCodePageTables[kCharsetWindows1252 - kFirstTableGroup]);
    }
    return UTF8ToWide(text);
  }
  return DecodeWithTable(text, SystemTable());
}

WideString UTF8ToWide(std::string_view text) {
  WideString out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const int trailing = TrailingBytes(static_cast<unsigned char>(text[i]));
    if (i + static_cast<size_t>(trailing) >= text.size()) {
      // The sequence is cut off by the end of the text.
      if (trailing > 0) {
        out.push_back(u'\uFFFD');
        break;
      }
    }
    uint32_t value = 0;
    for (int k = 0; k < trailing; ++k) {
      value = (value + static_cast<unsigned char>(text[i++])) << 6;
    }
    value += static_cast<unsigned char>(text[i++]);
    value -= kUtf8Offsets[trailing];
    AppendCodePoint(out, value);
  }
  return out;
}

std::string WideToUTF8(WideView text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const uint32_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      const uint32_t cp = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
      AppendFourBytes(out, cp);
      ++i;
    } else {
      AppendUnit(out, u);
    }
  }
  return out;
}

std::string CodePointToUTF8(char32_t cp) {
  std::string out;
  if (cp >= 0x10000 && cp <= 0x10FFFF) {
    AppendFourBytes(out, cp);
  } else {
    AppendUnit(out, cp <= 0xFFFF ? static_cast<uint32_t>(cp) : 0xFFFDu);
  }
  return out;
}

WideString WideLower(WideView text) {
  WideString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
      ++i;
    }
    AppendCodePoint(out, static_cast<uint32_t>(u_tolower(static_cast<UChar32>(cp))));
  }
  return out;
}

}  // namespace qm
