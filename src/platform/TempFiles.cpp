#include "platform/TempFiles.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <set>
#include <vector>

#include "platform/Paths.h"

namespace qm {
namespace {

// The names this process made; only these are ever deleted.
struct TempRegistry {
  std::mutex mutex;
  std::set<std::string> names;
};

TempRegistry& Registry() {
  static TempRegistry registry;
  return registry;
}

std::string TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  return WithTrailingSeparator(tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp");
}

}  // namespace

std::string MakeTempName(std::string_view suffix) {
  std::string pattern = TempFolder() + "torXXXXXX" + std::string(suffix);
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int fd = ::mkstemps(buffer.data(), static_cast<int>(suffix.size()));
  if (fd < 0) return {};
  ::close(fd);
  std::string name(buffer.data());
  std::lock_guard lock(Registry().mutex);
  Registry().names.insert(name);
  return name;
}

void RemoveTempFile(const std::string& path) {
  std::lock_guard lock(Registry().mutex);
  if (Registry().names.erase(path) > 0) ::unlink(path.c_str());
}

void RemoveAllTempFiles() {
  std::lock_guard lock(Registry().mutex);
  for (const std::string& name : Registry().names) ::unlink(name.c_str());
  Registry().names.clear();
}

}  // namespace qm
