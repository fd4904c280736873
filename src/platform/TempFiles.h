// Temporary files of the extraction: unique names in the system temporary
// folder with the prefix "tor". The program remembers every name it made and
// deletes only those, never another program's files.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Creates an empty, unique file in $TMPDIR (or /tmp) whose name starts with
// "tor" and ends with `suffix` (such as ".htm"), and returns its path; empty
// when no file could be made.
std::string MakeTempName(std::string_view suffix = "");

// Deletes a file made by MakeTempName and forgets it.
void RemoveTempFile(const std::string& path);

// Deletes every temporary file made and not yet removed (at shutdown).
void RemoveAllTempFiles();

}  // namespace qm
