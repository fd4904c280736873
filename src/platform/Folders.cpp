#include "platform/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/CodePage.h"
#include "platform/Paths.h"

namespace qm {
namespace {

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

std::string ExecutableFolder() {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0) return AbsolutePath("");
  buffer.resize(static_cast<size_t>(n));
  return FolderOfPath(buffer);
}

std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// $XDG_CONFIG_HOME; empty when unset or relative, which the XDG rules say
// to ignore.
std::string XdgConfigHome() {
  std::string config = EnvValue("XDG_CONFIG_HOME");
  return IsAbsolutePath(config) ? config : std::string();
}

// The documents folder named in ~/.config/user-dirs.dirs, with $HOME expanded;
// empty when none is named, or the name is not an absolute path.
std::string XdgDocumentsFolder(const std::string& home) {
  std::string config = XdgConfigHome();
  if (config.empty()) config = home + "/.config";
  std::ifstream dirs(config + "/user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=";
  while (std::getline(dirs, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return IsAbsolutePath(value) ? value : std::string();
  }
  return {};
}

}  // namespace

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  static const std::string folder = [] {
    const std::string exe = ExecutableFolder();
    // Installed as <prefix>/bin/quillmark-cli with data in <prefix>/share/quillmark/.
    const std::string installed = AbsolutePath(exe + "../share/quillmark/");
    if (!FolderExists(exe + "Templates") && FolderExists(installed + "Templates")) return installed;
    return exe;
  }();
  return folder;
}

void SetProgramFolderOverride(std::string_view folder) {
  ProgramFolderOverride() = folder.empty() ? std::string() : WithTrailingSeparator(folder);
}

std::string PersonalFolder() {
  const std::string home = EnvValue("HOME");
  if (!home.empty()) {
    const std::string documents = XdgDocumentsFolder(home);
    if (!documents.empty() && FolderExists(documents)) return WithTrailingSeparator(documents);
    return WithTrailingSeparator(home);
  }
  return std::string(1, kPathSeparator);
}

std::string ProgramFilesFolder() { return "/usr/"; }

bool IsOutsideProgramFiles() {
  return LowerBytes(ProgramFolder()).find(LowerBytes(ProgramFilesFolder())) == std::string::npos;
}

std::string UserSettingsFolder(std::string_view subPath) {
  if (IsOutsideProgramFiles()) return ProgramFolder();
  std::string config = XdgConfigHome();
  if (config.empty()) {
    const std::string home = EnvValue("HOME");
    if (home.empty()) return ProgramFolder();
    config = home + "/.config";
  }
  return WithTrailingSeparator(config) + std::string(subPath);
}

bool ForceFolder(std::string_view path) {
  const std::string folder = WithoutTrailingSeparator(path);
  if (folder.empty() || FolderExists(folder)) return true;
  const std::string parent = WithoutTrailingSeparator(FolderOfPath(folder));
  if (parent == folder) return true;
  if (!parent.empty() && !ForceFolder(parent)) return false;
  return ::mkdir(folder.c_str(), 0755) == 0 || (errno == EEXIST && FolderExists(folder));
}

bool FolderExists(std::string_view path) {
  struct stat st{};
  return ::stat(std::string(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(std::string_view path) {
  struct stat st{};
  return ::stat(std::string(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace qm
