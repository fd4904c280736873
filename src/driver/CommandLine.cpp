#include "driver/CommandLine.h"

#include <charconv>

#include "driver/DatabaseCommands.h"
#include "driver/DatabaseUpdate.h"
#include "driver/FolderScan.h"
#include "driver/Project.h"
#include "indexing/RatingSettings.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"

namespace qm {
namespace {

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

template <typename Work>
void InScanFrame(Project& project, bool fullRefresh, const WindowHooks& hooks, Work work) {
  project.StopRequested = false;
  Call(hooks.showProgress);
  if (project.UI != nullptr) project.UI->processEvents();
  work();
  project.StopRequested = true;
  Call(hooks.closeProgress);
  if (hooks.refreshView) hooks.refreshView(fullRefresh);
  FileChanged(project, hooks);
}

}  // namespace

CommandLineMode CommandLineModeOf(const std::vector<std::string>& args) {
  if (args.empty()) return CommandLineMode::None;
  const std::string second = args.size() > 1 ? LowerBytes(args[1]) : std::string();
  if (args.size() == 2 && second == "update") return CommandLineMode::Update;
  if (args.size() == 2 && second == "addsite") return CommandLineMode::AddSite;
  if (args.size() == 6 && second == "addsite") return CommandLineMode::ScanAndAddSite;
  return CommandLineMode::Open;
}

std::optional<ScanArguments> ParseScanArguments(const std::vector<std::string>& args) {
  if (args.size() != 6) return std::nullopt;
  ScanArguments scan;
  const std::string& category = args[3];
  const char* end = category.data() + category.size();
  const auto [stop, error] = std::from_chars(category.data(), end, scan.category);
  if (category.empty() || error != std::errc() || stop != end) return std::nullopt;
  scan.folder = FolderOfPath(args[2]);
  scan.recurse = args[4] == "y";
  scan.known = args[5] == "y";
  return scan;
}

void FileChanged(Project& project, const WindowHooks& hooks) {
  project.SavedFlag = false;
  Call(hooks.savedStateChanged);
}

void FileSaved(Project& project, const WindowHooks& hooks) {
  project.SavedFlag = true;
  Call(hooks.savedStateChanged);
}

bool FileSave(Project& project, const WindowHooks& hooks) {
  if (!SaveDatabase(project)) return false;
  FileSaved(project, hooks);
  return true;
}

int RunFolderScan(Project& project, const ScanArguments& scan, bool fullRefresh,
                  const WindowHooks& hooks) {
  int added = 0;
  InScanFrame(project, fullRefresh, hooks, [&] {
    added = AddFolder(project, scan.folder, scan.category, scan.recurse, scan.known);
  });
  return added;
}

UpdateResult RunDatabaseUpdate(Project& project, const WindowHooks& hooks) {
  UpdateResult result;
  InScanFrame(project, false, hooks, [&] { result = UpdateDatabase(project); });
  return result;
}

CommandLineMode RunCommandLine(Project& project, const std::vector<std::string>& args,
                               const WindowHooks& hooks) {
  const CommandLineMode mode = CommandLineModeOf(args);
  if (mode != CommandLineMode::None) {
    OpenDatabase(project, args[0]);
    Call(hooks.databaseOpened);
    FileSaved(project, hooks);
  }
  switch (mode) {
    case CommandLineMode::None:
    case CommandLineMode::Open:
      break;
    case CommandLineMode::Update:
      RunDatabaseUpdate(project, hooks);
      FileSave(project, hooks);
      break;
    case CommandLineMode::AddSite:
      Call(hooks.addSite);
      FileSave(project, hooks);
      break;
    case CommandLineMode::ScanAndAddSite: {
      const std::optional<ScanArguments> scan = ParseScanArguments(args);
      if (!scan) {
        // Checked before the progress window opens, so none is left behind.
        if (project.UI != nullptr) {
          ShowError(*project.UI, "Category number is not a whole number: " + args[3]);
        }
        break;
      }
      RunFolderScan(project, *scan, true, hooks);
      Call(hooks.addSite);
      FileSave(project, hooks);
      break;
    }
  }
  ReloadSettings(project.Settings, FolderOfPath(project.DatabaseFile));
  return mode;
}

}  // namespace qm
