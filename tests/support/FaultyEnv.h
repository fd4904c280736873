// An Env over the real file system that fails on request: writes after a
// number of bytes (a full disk), the flush, the close, the creation of a file,
// a rename, or a whole-file read. Every call is also counted, so a test can
// see what an operation did.
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/Env.h"

namespace qm::test {

class FaultyEnv : public Env {
 public:
  explicit FaultyEnv(Env& base = Env::Default()) : base_(base) {}

  // Each file written accepts this many bytes; the Append that crosses the
  // limit writes the part that fits and fails, as on a full disk.
  size_t writeLimit = std::numeric_limits<size_t>::max();
  bool failCreate = false;
  bool failSync = false;
  bool failClose = false;
  bool failRename = false;
  bool failRead = false;

  // The paths passed to NewWritableFile and the renames done, in order.
  std::vector<std::string> created;
  std::vector<std::pair<std::string, std::string>> renamed;

  bool ReadFile(const std::string& path, std::string* contents) override;
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool DeleteFile(const std::string& path) override { return base_.DeleteFile(path); }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  bool SyncFolder(const std::string& folder) override { return base_.SyncFolder(folder); }

 private:
  Env& base_;
};

}  // namespace qm::test
