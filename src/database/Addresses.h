// Link addresses: the stored, percent-encoded form of an address, and the
// address of a project file as seen from the database file.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Percent-encodes every byte but A-Z, a-z, 0-9, "-", "." and "_" as "%XX"
// (upper-case hexadecimal); a blank becomes "%20".
std::string EncodeURL(std::string_view text);

// Undoes EncodeURL: "+" gives a blank; "%" and two hexadecimal digits give that
// byte, "%" and two other bytes the byte 0xFF; a "%" with fewer than two bytes
// after it gives "_".
std::string DecodeURL(std::string_view address);

// The stored address of `file` relative to the folder of `databaseFile` ("../"
// for each folder to climb), or the file's own path when the two share no
// folder. Both are full paths; they are compared byte by byte.
std::string MakeLinkURL(std::string_view databaseFile, std::string_view file, bool utf8Mode);

// The local file that a decoded, display-form address names: an absolute path
// is returned unchanged, anything else is taken relative to the folder of
// `databaseFile`. A "%" is copied literally, so "100%.html" stays that name.
std::string LinkURLToPath(std::string_view address, std::string_view databaseFile);

// True when the address names a remote resource ("://" in it).
bool IsRemoteAddress(std::string_view address);

}  // namespace qm
