#include "platform/Paths.h"

#include <unistd.h>

#include <vector>

#include "platform/CodePage.h"

namespace qm {

bool IsPathSeparator(char c) { return c == kPathSeparator; }

std::string FolderOfPath(std::string_view path) {
  const size_t last = path.find_last_of(kPathSeparator);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string FileNameOfPath(std::string_view path) {
  const size_t last = path.find_last_of(kPathSeparator);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string ExtensionOfPath(std::string_view path) {
  const std::string name = FileNameOfPath(path);
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return {};
  return LowerBytes(std::string_view(name).substr(dot + 1));
}

std::string WithTrailingSeparator(std::string_view path) {
  std::string out(path);
  if (!out.empty() && !IsPathSeparator(out.back())) out.push_back(kPathSeparator);
  return out;
}

std::string WithoutTrailingSeparator(std::string_view path) {
  if (path.size() > 1 && IsPathSeparator(path.back())) path.remove_suffix(1);
  return std::string(path);
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path[0] == kPathSeparator; }

std::string AbsolutePath(std::string_view path) {
  std::string full;
  if (IsAbsolutePath(path)) {
    full = std::string(path);
  } else {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr && buffer.size() < (1u << 20)) {
      buffer.resize(buffer.size() * 2);
    }
    full = WithTrailingSeparator(buffer.data()) + std::string(path);
  }
  const bool trailing = !full.empty() && IsPathSeparator(full.back());
  std::vector<std::string_view> parts;
  std::string_view rest(full);
  while (!rest.empty()) {
    const size_t sep = rest.find(kPathSeparator);
    std::string_view part = rest.substr(0, sep);
    rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out(1, kPathSeparator);
  for (size_t i = 0; i < parts.size(); ++i) {
    out.append(parts[i]);
    if (i + 1 < parts.size()) out.push_back(kPathSeparator);
  }
  if ((trailing || path.empty()) && !parts.empty()) out.push_back(kPathSeparator);
  return out;
}

}  // namespace qm
