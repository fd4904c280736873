#include "driver/Templates.h"

#include <algorithm>

#include "driver/FolderWalk.h"
#include "driver/Project.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

namespace qm {
namespace {

std::string Format(std::string text, const std::string& first, const std::string& second = {}) {
  size_t at = text.find("%s");
  if (at == std::string::npos) return text;
  text.replace(at, 2, first);
  at = text.find("%s", at + first.size());
  if (at != std::string::npos) text.replace(at, 2, second);
  return text;
}

bool IsKeyFile(const Project& project, const std::string& name) {
  return name == project.DatabaseName || name == "search.html" || name == "qmktp.js";
}

}  // namespace

std::vector<std::string> ListTemplates(const std::string& templatesFolder) {
  std::vector<std::string> names;
  FolderWalkHandlers handlers;
  handlers.enterFolder = [&](const std::string&, const std::string& name) {
    if (!name.empty() && name[0] != '.') names.push_back(name);
    return false;
  };
  WalkFolder(WithTrailingSeparator(templatesFolder), handlers);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = LowerBytes(a), lb = LowerBytes(b);
    return la != lb ? la < lb : a < b;
  });
  return names;
}

void CopyTemplateFolder(Project& project, const std::string& source,
                        const std::string& destination) {
  // The destination of a source folder: the same path below `destination`.
  const auto target = [&](const std::string& folder) {
    return destination + folder.substr(std::min(source.size(), folder.size()));
  };
  FolderWalkHandlers handlers;
  handlers.enterFolder = [&](const std::string& folder, const std::string& name) {
    ForceFolder(target(folder) + name);  // a failure shows as the files' copy failures
    return true;
  };
  handlers.entry = [&](const std::string& folder, const std::string& name, EntryKind kind) {
    const std::string to = target(folder) + name;
    if (IsKeyFile(project, name) && project.FileSystem->FileExists(to) &&
        project.UI->messageBox(MessageIcon::Warning, "Question", Format(kReplaceFileQuestion, to),
                               MessageButtons::YesNo) != MessageAnswer::Yes) {
      return;
    }
    // Only regular files are copied: opening a pipe would wait for a writer.
    if (kind != EntryKind::File || !project.FileSystem->CopyFile(folder + name, to)) {
      ShowError(*project.UI, Format(kCannotCopyMessage, folder + name, target(folder)));
    }
  };
  WalkFolder(source, handlers);
}

void CreateProject(Project& project, const std::string& root, const std::string& templateName) {
  const std::string folder = FolderOfPath(WithTrailingSeparator(root));
  CopyTemplateFolder(project, project.TemplatesFolder + templateName + kPathSeparator, folder);
  project.Base.Clear();
  project.Cat.Clear();
}

std::string SearchPagePath(const Project& project) {
  const std::string folder = FolderOfPath(project.DatabaseFile);
  for (const char* page : {"qmk.html", "search.html", "index.html"}) {
    if (FileExists(folder + page)) return folder + page;
  }
  return folder;
}

void PreviewPage(const Project& project, const std::function<void(const std::string&)>& open) {
  const std::string page = SearchPagePath(project);
  if (open) {
    open(page);
  } else {
    OpenDocument(page);
  }
}

}  // namespace qm
