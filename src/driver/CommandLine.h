// The program's command-line modes and the command frames around a scan or
// an update, free of any window: what the window does around them (the
// progress window, the main list, the add-folder command with its dialog)
// comes in as hooks, each of which may be left empty.
//
//   database                  open it
//   database update           open, re-index every local link, save
//   database addsite          open, run the add-folder command, save
//   database addsite folder category recurse known
//                             open, scan the folder without a dialog, run the
//                             add-folder command, save
//
// The second argument is compared in lower case. Any other combination only
// opens the database.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver/DatabaseUpdate.h"

namespace qm {

struct Project;

struct WindowHooks {
  std::function<void()> databaseOpened;      // enable the commands, show the file in the title
  std::function<void()> showProgress;        // create and show the progress window "Scanning..."
  std::function<void()> closeProgress;       // close it again
  std::function<void(bool full)> refreshView;  // rebuild (full) or refresh the main list
  std::function<void()> savedStateChanged;   // SavedFlag changed: status bar
  std::function<void()> addSite;             // the add-folder command with its dialog
};

enum class CommandLineMode { None, Open, Update, AddSite, ScanAndAddSite };

// The arguments of the six-argument form. `folder` is the folder part of the
// third argument (up to and including its last separator).
struct ScanArguments {
  std::string folder;
  int32_t category = 0;
  bool recurse = false;  // the fifth argument is exactly "y"
  bool known = false;    // the sixth argument is exactly "y"
};

// Which mode the arguments (the program name left out) ask for.
CommandLineMode CommandLineModeOf(const std::vector<std::string>& args);

// The scan arguments of the six-argument form; nullopt when the category is
// not a whole decimal number that fits 32 bits.
std::optional<ScanArguments> ParseScanArguments(const std::vector<std::string>& args);

// SavedFlag := false / true, with the hook.
void FileChanged(Project& project, const WindowHooks& hooks);
void FileSaved(Project& project, const WindowHooks& hooks);

// SaveDatabase; marks the project saved only when the save succeeded.
bool FileSave(Project& project, const WindowHooks& hooks);

// The frame of a folder scan: clears StopRequested, shows the progress window
// and lets it paint, runs AddFolder, sets StopRequested, closes the progress
// window, refreshes the main list (`fullRefresh` or quick) and marks the
// database changed. Returns the number of links added.
int RunFolderScan(Project& project, const ScanArguments& scan, bool fullRefresh,
                  const WindowHooks& hooks);

// The same frame around UpdateDatabase (quick refresh).
UpdateResult RunDatabaseUpdate(Project& project, const WindowHooks& hooks);

// Runs the mode the arguments ask for, then reloads the indexing settings of
// the folder of DatabaseFile. The six-argument form with a category that is
// not a whole number reports "Category number is not a whole number: <arg>"
// as an error and neither scans nor saves.
CommandLineMode RunCommandLine(Project& project, const std::vector<std::string>& args,
                               const WindowHooks& hooks);

}  // namespace qm
