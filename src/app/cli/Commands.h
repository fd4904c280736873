// The subcommands of quillmark-cli. Each returns the process exit status:
// 0 success, 1 the operation failed (its message is on stderr).
#pragma once

#include <string>

#include "app/cli/CliInteraction.h"
#include "driver/Project.h"

namespace qm::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What every command works with.
struct Context {
  Project project;
  CliInteraction ui;
  bool quiet = false;
};

// Prints one line "quillmark-cli: <text>" on stderr.
void PrintError(const std::string& text);

// Checks that `path` is a readable search database file; prints what is wrong
// and returns false otherwise.
bool CheckDatabaseFile(const std::string& path);

struct ListOptions {
  std::string database;
  bool json = false;
  bool categories = false;
};
int RunList(Context& context, const ListOptions& options);

}  // namespace qm::cli
