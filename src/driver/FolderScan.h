// The folder scan: walks a folder tree and adds one link for every file whose
// extension is indexed, handing each file to ExtractFileInfo. It runs on the
// caller's thread and polls Project::StopRequested between files; the
// progress text of each file goes to Project::UI.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "indexing/ProgramSettings.h"

namespace qm {

struct Project;
class TBase;

// The stored addresses of a links database, for the scan's "already in the
// database" test in constant time (a scan of a large tree into a large
// database would otherwise cost links x files comparisons).
class KnownAddresses {
 public:
  explicit KnownAddresses(const TBase& links);
  bool Contains(std::string_view url) const;
  void Add(std::string url);

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> urls_;
};

// True when the folder name equals an entry of StopDirList byte for byte.
bool IsStopDir(const ProgramSettings& settings, std::string_view name);

// True when the link address of `path` (MakeLinkURL from the database file)
// is one of `known`.
bool IsKnownFile(const Project& project, const KnownAddresses& known, const std::string& path);

// True when a scan would index a file of this name: not one of the project's
// settings files ("set.xml", "tags.xml", "words.xml", exact case), and its
// lower-cased extension equals an entry of ExtensionList.
bool IsIndexedFileName(const ProgramSettings& settings, std::string_view name);

// Builds ExtensionList and StopDirList from their texts when they have never
// been built (a built list always has at least one entry). Settings files that
// could not be read leave the lists unbuilt; the scan then uses the texts'
// values instead of indexing nothing.
void EnsureScanLists(ProgramSettings& settings);

// Adds one link for the file at `path` when its name is indexed
// (IsIndexedFileName): shows "<path>\r\nFiles indexed: <links>" through the
// project's Interaction, lets it handle pending events, extracts the file and
// appends the record with `category` as its Cat. Nothing happens when a stop
// is requested (also one requested while the events were handled) or when
// the file no longer exists. True when a link was added.
bool IndexFile(Project& project, const std::string& path, int32_t category);

// Scans `folder` (a path ending with a separator) and, when `recurse`, its
// subfolders except stop folders (IsStopDir, at every depth), depth first in
// the order the file system lists them. Indexes every regular file (hidden
// ones too; symbolic links are followed) with IndexFile; unless `known`, files
// whose address is already in the database are skipped. Folders that cannot
// be read contribute nothing; a symbolic link back to a folder the scan is
// inside is not followed. Ends early when StopRequested is set; the links
// added so far stay. Returns the number of links added.
int AddFolder(Project& project, const std::string& folder, int32_t category, bool recurse,
              bool known);

// Shows the progress text of one file, "<path>\r\nFiles indexed: <count>",
// and lets the Interaction handle pending events.
void ShowFileProgress(Project& project, const std::string& path);

}  // namespace qm
