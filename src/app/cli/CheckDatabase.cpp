#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/cli/Commands.h"
#include "database/ByteScan.h"
#include "database/DatabaseFormat.h"
#include "platform/Env.h"

namespace qm::cli {

void PrintError(const std::string& text) { std::fprintf(stderr, "quillmark-cli: %s\n", text.c_str()); }

bool CheckDatabaseFile(const std::string& path) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) {
    PrintError("cannot open database file " + path + ": " + std::strerror(errno));
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    PrintError(path + " is a folder, not a database file");
    return false;
  }
  std::string file;
  if (!Env::Default().ReadFile(path, &file)) {
    PrintError("cannot read database file " + path + ": " + std::strerror(errno ? errno : EIO));
    return false;
  }
  size_t at = 0;
  size_t at2 = 0;
  if (!FindText(file, kLinksOpening, at) && !FindText(file, kCategoriesOpening, at2)) {
    PrintError(path + " holds no search database");
    return false;
  }
  return true;
}

}  // namespace qm::cli
