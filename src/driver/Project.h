// The project state: the one set of program-wide values that every command
// works on, with the category list and the links database of the open
// search database file.
#pragma once

#include <string>

#include "database/DatabaseFile.h"
#include "database/LinkModel.h"
#include "indexing/ProgramSettings.h"

namespace qm {

class Env;
class Interaction;

inline constexpr const char* kProgramTitle = "Dorvel Quillmark Zuvu";
inline constexpr const char* kDefaultDatabaseName = "searchdb.js";

struct Project {
  std::string DatabaseFile;       // full path of the current database file
  std::string TemplatesFolder;    // one subfolder per search page template
  std::string DefaultRootFolder;  // proposed root folder of a new project
  std::string DatabaseName;       // proposed name of a new database file
  DatabaseMarkers Markers;        // "//Settings" and "//DatabaseEnd"
  ProgramSettings Settings;       // set by the project's indexing settings
  bool SavedFlag = true;          // no unsaved changes
  bool CatView = false;           // the main list shows categories
  bool StopRequested = false;     // a running scan or update should stop
  TCat Cat;
  TBase Base;

  Interaction* UI = nullptr;  // how the core talks to the user
  Env* FileSystem = nullptr;  // where files are read and written
};

// Sets every value to its initial state, with empty TCat and TBase. `ui` and
// `env` must outlive the project.
void InitProject(Project& project, Interaction& ui, Env& env);

// Frees the model's memory.
void FreeProject(Project& project);

}  // namespace qm
