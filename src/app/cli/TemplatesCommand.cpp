#include <cstdio>

#include "app/cli/Commands.h"
#include "driver/Templates.h"

namespace qm::cli {

Command RegisterTemplates(CLI::App& app) {
  CLI::App* sub = app.add_subcommand(
      "templates", "list the search page templates, the default (used by new) first");
  return {sub, [](Context& context) {
            const std::vector<std::string> names = ListTemplates(context.project.TemplatesFolder);
            if (names.empty()) {
              PrintError("no templates in " + context.project.TemplatesFolder);
              return kExitFailed;
            }
            for (const std::string& name : names) std::printf("%s\n", name.c_str());
            return kExitOk;
          }};
}

}  // namespace qm::cli
