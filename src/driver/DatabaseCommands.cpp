#include "driver/DatabaseCommands.h"

#include "database/DatabaseFile.h"
#include "driver/Project.h"
#include "indexing/RatingSettings.h"
#include "platform/Env.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"

namespace qm {

void OpenDatabase(Project& project, const std::string& path) {
  project.DatabaseFile = path;
  ReloadSettings(project.Settings, FolderOfPath(path));
  project.Base.Clear();
  project.Cat.Clear();
  project.Cat.LoadFromFile(path);
  project.Base.LoadFromFile(path, project.UI);
}

void ImportLinks(Project& project, const std::string& path) {
  project.Base.LoadFromFile(path, project.UI);
}

bool SaveDatabase(Project& project) {
  return SaveDatabaseFile(project.DatabaseFile, project.Markers, project.Cat, project.Base,
                          *project.UI, *project.FileSystem);
}

bool SaveDatabaseAs(Project& project, const std::string& path) {
  // A copy that fails leaves no file at `path`; the save then reports it.
  if (path != project.DatabaseFile) project.FileSystem->CopyFile(project.DatabaseFile, path);
  project.DatabaseFile = path;
  return SaveDatabase(project);
}

bool ExportDatabase(Project& project, const std::string& path) {
  project.DatabaseFile = path;
  return SaveDatabase(project);
}

}  // namespace qm
