#include "platform/Shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <string>

#include "platform/Paths.h"

extern char** environ;

namespace qm {
namespace {

// Runs `xdg-open target` and waits for it; true when it reported success.
bool XdgOpen(const std::string& target) {
  std::string program = "xdg-open";
  char* argv[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  if (::waitpid(pid, &status, 0) < 0) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

void OpenDocument(std::string_view pathOrAddress) {
  const std::string target(pathOrAddress);
  if (XdgOpen(target)) return;
  // The file manager on the containing folder, for a path that cannot be opened.
  const std::string folder = FolderOfPath(target);
  if (!folder.empty() && folder != target) XdgOpen(folder);
}

void OpenWebPage(std::string_view baseAddress, std::string_view query) {
  OpenDocument(std::string(baseAddress) + std::string(query));
}

}  // namespace qm
