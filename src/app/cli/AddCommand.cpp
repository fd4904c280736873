#include <cstdint>
#include <cstdio>
#include <memory>

#include "app/cli/Commands.h"
#include "app/cli/Indexing.h"
#include "driver/CommandLine.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

namespace qm::cli {
namespace {

struct AddOptions {
  std::string database;
  std::string folder;
  int category = 0;
  bool noRecurse = false;
  bool known = false;
};

int RunAdd(Context& context, const AddOptions& options) {
  if (!FolderExists(options.folder)) {
    PrintError("no such folder: " + options.folder);
    return kExitFailed;
  }
  if (!OpenForIndexing(context, options.database)) return kExitFailed;
  Project& project = context.project;
  // A database without categories has every link in category 0.
  if (!context.quiet && project.Cat.Count() > 0 && options.category >= project.Cat.Count()) {
    PrintError("warning: category " + std::to_string(options.category) + " does not exist (" +
               project.DatabaseFile + " has " + std::to_string(project.Cat.Count()) +
               " categories)");
  }
  ScanArguments scan;
  scan.folder = WithTrailingSeparator(AbsolutePath(options.folder));
  scan.category = options.category;
  scan.recurse = !options.noRecurse;
  scan.known = options.known;
  return IndexAndSave(context, [&](ScanProgress& progress) {
    const int added = RunFolderScan(project, scan, false, {});
    char summary[160];
    std::snprintf(summary, sizeof summary, "added %d links (%d in the database) in %.1f s", added,
                  project.Base.Count(), progress.seconds());
    return std::string(summary);
  });
}

}  // namespace

Command RegisterAdd(CLI::App& app) {
  auto options = std::make_shared<AddOptions>();
  CLI::App* sub = app.add_subcommand(
      "add", "index the files of a folder tree into a database and save it");
  sub->add_option("DB", options->database, "search database file")->required();
  sub->add_option("FOLDER", options->folder, "folder to scan")->required();
  sub->add_option("--category", options->category, "category number of the new links (default 0)")
      ->check(CLI::Range(0, INT32_MAX));
  sub->add_flag("--no-recurse", options->noRecurse, "do not scan subfolders");
  sub->add_flag("--known", options->known,
                "index files already in the database again, as further links");
  return {sub, [options](Context& context) { return RunAdd(context, *options); }};
}

}  // namespace qm::cli
