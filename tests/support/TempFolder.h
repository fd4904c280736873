// A fresh folder under $TMPDIR for one test, removed with everything in it.
#pragma once

#include <string>
#include <string_view>

namespace qm::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, with a trailing separator.
  const std::string& path() const { return path_; }
  // path() + name.
  std::string operator/(std::string_view name) const { return path_ + std::string(name); }

  // Writes a file (creating its folders) and returns its path.
  std::string Write(std::string_view name, std::string_view content) const;

 private:
  std::string path_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace qm::test
