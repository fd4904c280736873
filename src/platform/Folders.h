// The special folders of the program and its user, and folder creation.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// The folder of the running program's executable, with a trailing separator.
// When the executable is installed (<prefix>/bin/) and its data lives in
// <prefix>/share/quillmark/, that data folder is returned instead, so that
// templates and default settings are found in a build tree and an install alike.
std::string ProgramFolder();

// Overrides ProgramFolder (tests and the CLI's --data option); empty restores it.
void SetProgramFolderOverride(std::string_view folder);

// The user's documents folder (XDG_DOCUMENTS_DIR, else $HOME) with a trailing
// separator; "/" when neither is known.
std::string PersonalFolder();

// The folder under which installed programs live ("/usr/").
std::string ProgramFilesFolder();

// True when ProgramFolder, compared ignoring case, does not contain
// ProgramFilesFolder.
bool IsOutsideProgramFiles();

// Where per-user settings live: for an installed program the per-user
// configuration folder ($XDG_CONFIG_HOME, else ~/.config) followed by
// subPath, else ProgramFolder.
std::string UserSettingsFolder(std::string_view subPath);

// Creates the folder and any missing parents. True when the folder exists
// afterwards.
bool ForceFolder(std::string_view path);

// True when the path names an existing folder / regular file.
bool FolderExists(std::string_view path);
bool FileExists(std::string_view path);

}  // namespace qm
