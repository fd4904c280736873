// The database update: re-indexes every link that names a local file, in
// place, on the caller's thread, polling Project::StopRequested between files.
#pragma once

namespace qm {

struct Project;

inline constexpr const char* kPageNotFoundMessage = "The page %s is not found.";

struct UpdateResult {
  int reindexed = 0;  // links replaced by a new extraction
  int missing = 0;    // "not found" warnings shown
};

// For each link present when the update starts, in order: a remote address
// ("://" in the stored or in the decoded address) is left alone; otherwise the
// decoded address names a local file (relative to the database file), and
// when its extension equals an entry of ExtensionList (once per equal entry)
// the progress text "<path>\r\nFiles indexed: <links>" is shown, events are
// handled, and then: a link marked "~" or "dont_update" is left alone; an
// existing file is extracted again and replaces the link, keeping its
// category; a missing file is reported in a "Warning" box ("The page %s is
// not found.") and the link stays. Never adds or removes links. Ends early
// when StopRequested is set (also while the events were handled).
UpdateResult UpdateDatabase(Project& project);

}  // namespace qm
