// Walking a folder tree for the folder scan and the template copy: depth
// first, each folder's entries in the order the file system delivers them.
// The walk keeps its own stack instead of recursing, so the depth of a tree is
// bounded only by the length of its paths, and it never enters a folder that
// is already on its way down (a symbolic link or bind mount back to an
// ancestor), so a link loop cannot make it run forever.
#pragma once

#include <functional>
#include <string>

namespace qm {

enum class EntryKind {
  Folder,  // a folder, or a symbolic link to one
  File,    // a regular file, or a symbolic link to one
  Other,   // a device, pipe or socket, a link that leads nowhere, or an entry
           // that vanished before it could be looked at
};

// What a walk does with the entries it meets. `folder` is the path of the
// folder holding the entry, ending with a separator (or empty for the
// current folder); `name` is the entry's name.
struct FolderWalkHandlers {
  // Polled before each entry and before a subfolder is opened; true ends the
  // whole walk. May be empty (never stop).
  std::function<bool()> stopRequested;
  // A subfolder: true enters it at once, before its parent's next entry.
  std::function<bool(const std::string& folder, const std::string& name)> enterFolder;
  // Every entry that is not a folder.
  std::function<void(const std::string& folder, const std::string& name, EntryKind kind)> entry;
};

// Walks `folder` (a path ending with a separator; empty means the current
// folder). "." and ".." are left out. A folder that cannot be opened or read
// contributes nothing (or what was read before the failure), silently.
void WalkFolder(const std::string& folder, const FolderWalkHandlers& handlers);

}  // namespace qm
