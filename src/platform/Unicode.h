// Character sets: the charset alias table and the conversions between 8-bit
// text in a named character set, UTF-16 and UTF-8.
//
// None of these functions fails: wrong input gives wrong characters,
// unconvertible bytes give "?" and impossible code points give U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// UTF-16 text, the "wide" form every conversion passes through.
using WideString = std::u16string;
using WideView = std::u16string_view;

// Index constants of the alias table for the groups the program names itself.
enum CharsetGroup : int {
  kCharsetUnknown = 0,
  kCharsetAscii = 1,
  kCharsetUtf16 = 2,
  kCharsetUtf8 = 3,
  kCharsetLatin1 = 4,
  kCharsetWindows1252 = 16,
  kCharsetKoi8r = 23,
  kCharsetCount = 23,
};

// The group (1 to 23) whose alias text contains the lower-cased name followed by
// a full stop, so "8859-5" finds iso-8859-5 and the empty name finds us-ascii;
// 0 when no group matches.
int CharsetIndex(std::string_view name);

// The aliases of group `index` as stored, each followed by a full stop
// ("koi8-r."); empty for an index outside 1..23.
std::string_view CharsetGroupText(int index);

// Decodes 8-bit text of charset group `index`: UTF-8 decoding for group 3, the
// group's own table for 5..23, the system code page for 0, 1, 2 and 4.
WideString CharsetToWide(std::string_view text, int index);

// UTF-8 to UTF-16 without validation: the length of a sequence comes from its
// lead byte alone; a sequence cut off by the end of the text is never read past
// the end. Values above U+10FFFF give U+FFFD.
WideString UTF8ToWide(std::string_view text);

// UTF-16 to UTF-8; a surrogate pair gives its four-byte sequence, every other
// unit (lone surrogates included) is encoded alone.
std::string WideToUTF8(WideView text);

// Lower-cases UTF-16 text character by character (ICU simple case mapping).
WideString WideLower(WideView text);

// Encodes one code point as UTF-8 (surrogates and values above U+10FFFF as
// WideToUTF8 would encode the unit, which never happens for valid input).
std::string CodePointToUTF8(char32_t cp);

}  // namespace qm
