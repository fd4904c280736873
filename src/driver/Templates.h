// Project folders and search page templates. A template is a subfolder of
// Project::TemplatesFolder; a new project receives a copy of it (search page,
// scripts and the database file named Project::DatabaseName). The page that
// shows a project's search is its "qmk.html", else "search.html", else
// "index.html" beside the database file.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qm {

struct Project;

inline constexpr const char* kReplaceFileQuestion = "File %s\nis exists.\n\nReplace?";
inline constexpr const char* kCannotCopyMessage = "Cannot copy file %s\nto directory %s";

// The names of the templates in `templatesFolder`: its subfolders (hidden ones
// left out), sorted alphabetically ignoring case.
std::vector<std::string> ListTemplates(const std::string& templatesFolder);

// Copies the tree of `source` into `destination` (both paths end with a
// separator), subfolders and empty folders included, replacing existing
// files. An existing file named DatabaseName, "search.html" or "qmktp.js" is
// replaced only when the "Replace?" question (title "Question") is answered
// Yes. A file that cannot be copied is reported ("Cannot copy file ...") and
// the copy goes on.
void CopyTemplateFolder(Project& project, const std::string& source,
                        const std::string& destination);

// Copies the template named `templateName` into the folder `root` (a
// separator is appended when it has none) and empties the categories and
// links. The caller then opens root + the database name and rebuilds its
// view.
void CreateProject(Project& project, const std::string& root, const std::string& templateName);

// The page that shows the current project's search: the first existing of
// "qmk.html", "search.html" and "index.html" in the folder of DatabaseFile,
// else that folder itself.
std::string SearchPagePath(const Project& project);

// Opens SearchPagePath with `open` (by default the desktop's opener,
// OpenDocument).
void PreviewPage(const Project& project,
                 const std::function<void(const std::string&)>& open = {});

}  // namespace qm
