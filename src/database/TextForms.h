// The forms a text takes: stored (the database encoding: UTF-8 in UTF-8 mode,
// else the system code page, bytes kept as read) and displayed (the system code
// page). `utf8Mode` is the project's UTF-8 mode.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Puts a text of the named charset (empty: the system code page) into the
// database encoding.
std::string ToStoredText(std::string_view text, std::string_view charset, bool utf8Mode);

// Puts a file name or path (in the system code page) into the database
// encoding: ToStoredText with no charset, except that with the UTF-8 code page
// the bytes are kept as they are, also when they are not valid UTF-8, so that
// the address made of them still names the file.
std::string PathToStoredText(std::string_view path, bool utf8Mode);

// Takes a stored text back to the system code page. With the UTF-8 code page
// the text is kept as it is.
std::string ToDisplayText(std::string_view text, bool utf8Mode);

// Lower-cases a stored text: as Unicode in UTF-8 mode, and also when the system
// code page is UTF-8 (the database is then UTF-8 in all but name); byte-wise by
// the system code page otherwise.
std::string LowerText(std::string_view text, bool utf8Mode);

}  // namespace qm
