#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/cli/Commands.h"
#include "driver/DatabaseCommands.h"
#include "driver/Templates.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

namespace qm::cli {
namespace {

struct NewOptions {
  std::string root;
  std::string templateName;
  std::string database = kDefaultDatabaseName;
  bool force = false;
};

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

int RunNew(Context& context, const NewOptions& options) {
  Project& project = context.project;
  const std::vector<std::string> templates = ListTemplates(project.TemplatesFolder);
  if (templates.empty()) {
    PrintError("no templates in " + project.TemplatesFolder);
    return kExitFailed;
  }
  // Without a choice, the first in alphabetical order, as the new search
  // engine dialog preselects it.
  const std::string chosen = options.templateName.empty() ? templates.front() : options.templateName;
  if (std::find(templates.begin(), templates.end(), chosen) == templates.end()) {
    PrintError("no template named " + chosen + " (templates: " + Joined(templates) + ")");
    return kExitFailed;
  }
  const std::string root = WithTrailingSeparator(AbsolutePath(options.root));
  if (!ForceFolder(root)) {
    PrintError("cannot create folder " + root);
    return kExitFailed;
  }

  // Key files already in the project are kept unless --force answers the
  // "Replace?" questions with Yes.
  CliInteraction questions(context.quiet, options.force);
  Interaction* const messages = project.UI;
  project.UI = &questions;
  CreateProject(project, root, chosen);
  project.UI = messages;
  if (questions.errorShown()) return kExitFailed;

  const std::string database = root + options.database;
  if (!FileExists(database)) {
    PrintError("template " + chosen + " has no database file " + options.database);
    return kExitFailed;
  }
  if (!CheckDatabaseFile(database)) return kExitFailed;
  OpenDatabase(project, database);
  std::printf("%s\n", database.c_str());
  return kExitOk;
}

}  // namespace

Command RegisterNew(CLI::App& app) {
  auto options = std::make_shared<NewOptions>();
  CLI::App* sub = app.add_subcommand(
      "new", "make a search engine in a project folder from a template; prints the database path");
  sub->add_option("ROOT", options->root, "root folder of the site (created when missing)")
      ->required();
  sub->add_option("--template", options->templateName,
                  "template name (default: the first in alphabetical order; see templates)");
  sub->add_option("--db", options->database, "database file name (default searchdb.js)");
  sub->add_flag("--force", options->force,
                "replace the database file, search.html and qmktp.js when the folder has them");
  return {sub, [options](Context& context) { return RunNew(context, *options); }};
}

}  // namespace qm::cli
