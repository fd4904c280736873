#include "driver/FolderWalk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Paths.h"

namespace qm {
namespace {

struct Entry {
  std::string name;
  EntryKind kind;
};

// One folder on the way down: its entries are read whole when it is opened,
// so an open folder costs no file descriptor while its subfolders are walked.
struct Listing {
  std::string folder;
  std::vector<Entry> entries;
  size_t next = 0;
  dev_t device = 0;
  ino_t inode = 0;
};

EntryKind KindOf(const std::string& path) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return EntryKind::Other;
  if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
  if (S_ISREG(st.st_mode)) return EntryKind::File;
  return EntryKind::Other;
}

EntryKind KindOf(const std::string& folder, const dirent& entry) {
  switch (entry.d_type) {
    case DT_DIR: return EntryKind::Folder;
    case DT_REG: return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN: return KindOf(folder + entry.d_name);  // follow the link
    default: return EntryKind::Other;
  }
}

bool ReadListing(const std::string& folder, Listing& listing) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return false;
  struct stat st{};
  if (::fstat(::dirfd(dir), &st) != 0) {
    ::closedir(dir);
    return false;
  }
  listing.folder = folder;
  listing.device = st.st_dev;
  listing.inode = st.st_ino;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    listing.entries.push_back({std::string(name), KindOf(folder, *entry)});
  }
  ::closedir(dir);
  return true;
}

bool OnTheWayDown(const std::vector<Listing>& stack, const Listing& folder) {
  return std::any_of(stack.begin(), stack.end(), [&](const Listing& open) {
    return open.device == folder.device && open.inode == folder.inode;
  });
}

}  // namespace

void WalkFolder(const std::string& folder, const FolderWalkHandlers& handlers) {
  const auto stop = [&] { return handlers.stopRequested && handlers.stopRequested(); };
  if (stop()) return;
  std::vector<Listing> stack(1);
  if (!ReadListing(folder, stack.back())) return;

  while (!stack.empty()) {
    if (stop()) return;
    Listing& current = stack.back();
    if (current.next == current.entries.size()) {
      stack.pop_back();
      continue;
    }
    const Entry& entry = current.entries[current.next++];
    if (entry.kind != EntryKind::Folder) {
      if (handlers.entry) handlers.entry(current.folder, entry.name, entry.kind);
      continue;
    }
    if (!handlers.enterFolder || !handlers.enterFolder(current.folder, entry.name)) continue;
    if (stop()) return;
    Listing child;
    if (!ReadListing(current.folder + entry.name + kPathSeparator, child)) continue;
    if (OnTheWayDown(stack, child)) continue;
    stack.push_back(std::move(child));  // `current` and `entry` are invalid from here
  }
}

}  // namespace qm
