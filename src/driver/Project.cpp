#include "driver/Project.h"

#include "platform/Folders.h"

namespace qm {

void InitProject(Project& project, Interaction& ui, Env& env) {
  project.DefaultRootFolder = PersonalFolder();
  project.DatabaseName = kDefaultDatabaseName;
  project.DatabaseFile = project.DefaultRootFolder + project.DatabaseName;
  project.TemplatesFolder = ProgramFolder() + "Templates/";
  project.Markers = DatabaseMarkers{};
  project.Settings = ProgramSettings{};
  project.SavedFlag = true;
  project.CatView = false;
  project.StopRequested = false;
  project.Cat.Clear();
  project.Base.Clear();
  project.UI = &ui;
  project.FileSystem = &env;
}

void FreeProject(Project& project) {
  project.Base = TBase{};
  project.Cat = TCat{};
}

}  // namespace qm
