// Path rules of the platform, kept in one place so that a port to another
// system changes only this unit. On Linux the only separator is "/" and an
// absolute path starts with "/".
#pragma once

#include <string>
#include <string_view>

namespace qm {

inline constexpr char kPathSeparator = '/';

// True for the byte that separates folder names in a path.
bool IsPathSeparator(char c);

// Everything up to and including the last separator; empty when there is none.
std::string FolderOfPath(std::string_view path);

// The name after the last separator (the whole path when there is none).
std::string FileNameOfPath(std::string_view path);

// The lower-cased extension without its dot ("HTML" -> "html"); empty when the
// file name has no dot.
std::string ExtensionOfPath(std::string_view path);

// The path unchanged when it ends with a separator, else followed by one. An
// empty path stays empty.
std::string WithTrailingSeparator(std::string_view path);

// The path without one trailing separator (the root "/" stays "/").
std::string WithoutTrailingSeparator(std::string_view path);

// True when the path is absolute (starts with "/").
bool IsAbsolutePath(std::string_view path);

// The absolute form of a path relative to the current folder, with "." and ".."
// parts resolved textually and no symbolic link followed. Empty input gives
// the current folder with a trailing separator.
std::string AbsolutePath(std::string_view path);

}  // namespace qm
