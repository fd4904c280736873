#include "platform/Env.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/Paths.h"

namespace qm {
namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Append(std::string_view data) override { return fd_ >= 0 && WriteAll(fd_, data); }
  bool Sync() override { return fd_ >= 0 && ::fsync(fd_) == 0; }
  bool Close() override {
    if (fd_ < 0) return false;
    int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

class PosixEnv final : public Env {
 public:
  bool ReadFile(const std::string& path, std::string* contents) override {
    contents->clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return false;
    }
    // Read into a buffer of the file's size; only a file that grew meanwhile
    // (or one whose size the system does not know, as in /proc) makes it
    // grow. Growing a full buffer would briefly hold the file twice.
    contents->resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    bool ok = true;
    while (true) {
      char spill[4096];
      const bool full = got == contents->size();
      char* into = full ? spill : contents->data() + got;
      ssize_t n = ::read(fd, into, full ? sizeof spill : contents->size() - got);
      if (n < 0) {
        if (errno == EINTR) continue;
        ok = false;
        break;
      }
      if (n == 0) break;
      if (full) {
        contents->append(spill, static_cast<size_t>(n));
        got = contents->size();
      } else {
        got += static_cast<size_t>(n);
      }
    }
    ::close(fd);
    contents->resize(ok ? got : 0);
    return ok;
  }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    // O_NOFOLLOW: a symbolic link planted at the path must not make us
    // write into the file it points to.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWritableFile>(fd);
  }

  bool RenameFile(const std::string& from, const std::string& to) override {
    // The new file takes the access rights of the one it replaces, so a
    // file the user made private (or shared with a group) stays so.
    struct stat st{};
    if (::stat(to.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::chmod(from.c_str(), st.st_mode & 07777);
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool DeleteFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool FileExists(const std::string& path) override {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool SyncFolder(const std::string& folder) override {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
  }
};

}  // namespace

Env& Env::Default() {
  static PosixEnv env;
  return env;
}

bool Env::CopyFile(const std::string& from, const std::string& to) {
  std::string contents;
  if (!ReadFile(from, &contents)) return false;
  const std::string temp = to + "~copy~";
  DeleteFile(temp);  // a leftover of an interrupted copy
  auto file = NewWritableFile(temp);
  if (!file) return false;
  bool ok = file->Append(contents) && file->Sync();
  ok = file->Close() && ok;
  if (ok) ok = RenameFile(temp, to);
  if (!ok) DeleteFile(temp);
  return ok;
}

}  // namespace qm
