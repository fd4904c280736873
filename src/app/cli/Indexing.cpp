#include "app/cli/Indexing.h"

#include <cstdio>

#include "app/cli/Interrupt.h"
#include "driver/DatabaseCommands.h"
#include "platform/Paths.h"

namespace qm::cli {

bool OpenForIndexing(Context& context, const std::string& database) {
  if (!CheckDatabaseFile(database)) return false;
  Project& project = context.project;
  OpenDatabase(project, AbsolutePath(database));
  // A database without links is written with one empty element, which reads
  // back as one link with every field empty; it is no link of the site.
  if (project.Base.Count() == 1 && project.Base.At(0) == TBaseRecord{}) project.Base.Clear();
  return true;
}

int IndexAndSave(Context& context, const std::function<std::string(ScanProgress&)>& work) {
  Project& project = context.project;
  // Caught until the save is over, so an interrupt never cuts it short.
  InterruptCatcher catcher;
  Interaction* const messages = project.UI;
  ScanProgress progress(context.ui, project, context.quiet);
  project.UI = &progress;
  const std::string summary = work(progress);
  progress.finish();
  project.UI = messages;

  if (!SaveDatabase(project)) return kExitFailed;  // the save said why
  project.SavedFlag = true;
  if (!context.quiet) std::fprintf(stderr, "quillmark-cli: %s\n", summary.c_str());
  if (progress.interrupted()) {
    PrintError("interrupted: the links indexed before the interrupt were saved");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace qm::cli
