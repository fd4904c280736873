// Small byte-text helpers of the page extraction and the rating.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// The text without its leading and trailing bytes of 0x20 and below.
std::string_view TrimBlanks(std::string_view text);

// ASCII lower-casing: only "A".."Z" change (names of charsets and attributes).
std::string AsciiLower(std::string_view text);

// True when every byte is below 0x80.
bool IsAsciiText(std::string_view text);

// When `text` is ASCII, sets `lowered` to it with "A".."Z" lower-cased (the
// text itself when it has no capital, else a copy made in `scratch`) and
// returns true; returns false otherwise. ASCII is lower-cased this way by
// every code page and by Unicode.
bool AsciiLowerView(std::string_view text, std::string& scratch, std::string_view& lowered);

// Replaces every occurrence of `from` (not empty) by `to`, left to right,
// without rescanning replaced text.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace qm
