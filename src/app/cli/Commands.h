// The subcommands of quillmark-cli. Each command file registers its
// subcommand and options with CLI11 and returns how to run it; the run
// function returns the process exit status: 0 success, 1 the operation failed
// (its message is on stderr).
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
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

struct Command {
  CLI::App* subcommand = nullptr;
  std::function<int(Context&)> run;
};

Command RegisterList(CLI::App& app);
Command RegisterExtract(CLI::App& app);
Command RegisterNew(CLI::App& app);
Command RegisterAdd(CLI::App& app);
Command RegisterUpdate(CLI::App& app);
Command RegisterTemplates(CLI::App& app);

// Prints one line "quillmark-cli: <text>" on stderr.
void PrintError(const std::string& text);

// Checks that `path` is a readable search database file; prints what is wrong
// and returns false otherwise.
bool CheckDatabaseFile(const std::string& path);

}  // namespace qm::cli
