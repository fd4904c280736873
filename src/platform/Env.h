// The file-system seam: everything the core reads and writes as whole files
// goes through an Env, so that tests can substitute one that fails writes or
// renames at a chosen moment.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qm {

// A file being written. Writes are buffered by the system until Sync.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool Append(std::string_view data) = 0;
  // Flushes the data to the storage device.
  virtual bool Sync() = 0;
  virtual bool Close() = 0;
};

class Env {
 public:
  virtual ~Env() = default;

  // The process's real file system.
  static Env& Default();

  // Reads a whole regular file. False (and *contents empty) when the path
  // cannot be opened or is not a regular file.
  virtual bool ReadFile(const std::string& path, std::string* contents) = 0;
  // Creates or empties a file for writing; null on failure. A symbolic link
  // at `path` is not followed: the call fails instead.
  virtual std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) = 0;
  // Replaces `to` by `from` atomically (rename(2)); `from` first takes the
  // access rights of the file it replaces.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Flushes a folder's entries (after a rename) to the storage device.
  virtual bool SyncFolder(const std::string& folder) = 0;

  // Copies a regular file, replacing the target. Written through a temporary
  // file beside the target and renamed over it, so the target is never half
  // written.
  bool CopyFile(const std::string& from, const std::string& to);
};

}  // namespace qm
