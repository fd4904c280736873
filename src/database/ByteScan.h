// The two scans over raw bytes in memory that both the database reader and the
// page tokenizer use: a marker search ignoring letter case, and the reading of
// a quoted text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// Looks for `text` in `data` from byte `start` on, ignoring case (both sides
// upper-cased by the system code page). On success `start` becomes the position
// just after the match and the result is true; on failure `start` is unchanged.
bool FindText(std::string_view data, std::string_view text, size_t& start);

// Reads a quoted text at `pos`: skips up to and including the next `quote`,
// then collects bytes up to the next unescaped `quote`, which is consumed. A
// carriage return gives a blank and a line feed nothing. With the apostrophe a
// backslash takes the byte after it unchanged (so \' and \\ give ' and \);
// with the double quote there is no escape. The end of the data ends the text.
// `pos` ends just after the closing quote (or at the end of the data).
std::string ReadQuoted(std::string_view data, size_t& pos, char quote);

}  // namespace qm
