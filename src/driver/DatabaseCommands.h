// The file operations on the project's database: open, import, save, save as
// and export. The saved/changed mark is the caller's: it marks the project
// saved only when a save returned true.
#pragma once

#include <string>

namespace qm {

struct Project;

// Makes `path` the current database file and loads it; a missing or foreign
// file gives an empty database without a message.
void OpenDatabase(Project& project, const std::string& path);

// Appends the links of another database file; categories are not read and
// each link keeps its category number.
void ImportLinks(Project& project, const std::string& path);

// Saves into the current database file; false after a failure, which has been
// reported.
bool SaveDatabase(Project& project);

// Copies the current database file to `path`, makes it current and saves.
bool SaveDatabaseAs(Project& project, const std::string& path);

// Makes an existing database file `path` current and saves into it.
bool ExportDatabase(Project& project, const std::string& path);

}  // namespace qm
