// Saving a search database file. The file belongs to the template that made
// it: only the stretch between the settings marker (and the line end after it)
// and the end marker is replaced; every other byte stays as it was.
#pragma once

#include <string>
#include <string_view>

namespace qm {

class Env;
class Interaction;
class TBase;
class TCat;

inline constexpr std::string_view kSettingsMarker = "//Settings";
inline constexpr std::string_view kEndMarker = "//DatabaseEnd";

inline constexpr std::string_view kCannotSaveMessage =
    "Cannot rename file. Saving has not completed.";
inline constexpr std::string_view kNoDatabaseMessage =
    "A search engine database is not found in this file. Saving has not completed.";

struct DatabaseMarkers {
  std::string settings{kSettingsMarker};
  std::string end{kEndMarker};
};

// Writes `categories` and `links` into the database file at `path`. The new
// content is written completely to "<path>~temp~" and flushed, then renamed
// over the file in one step, so the file is at every moment either wholly the
// old or wholly the new content. Failures are shown through `ui` as an
// "Error" box and return false, leaving the file untouched.
bool SaveDatabaseFile(const std::string& path, const DatabaseMarkers& markers,
                      const TCat& categories, const TBase& links, Interaction& ui, Env& env);

}  // namespace qm
