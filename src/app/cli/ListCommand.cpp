#include <cstdio>
#include <memory>

#include "app/cli/Commands.h"
#include "app/cli/Output.h"
#include "driver/DatabaseCommands.h"

namespace qm::cli {
namespace {

void PrintLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

struct ListOptions {
  std::string database;
  bool json = false;
  bool categories = false;
};

int RunList(Context& context, const ListOptions& options) {
  if (!CheckDatabaseFile(options.database)) return kExitFailed;
  Project& project = context.project;
  OpenDatabase(project, options.database);
  const bool utf8 = project.Settings.UTF8ModeFlag;

  if (options.json) {
    nlohmann::ordered_json out;
    nlohmann::ordered_json categories = nlohmann::ordered_json::array();
    for (const std::string& name : project.Cat.Items()) categories.push_back(DatabaseTextToUTF8(name, utf8));
    out["categories"] = categories;
    if (!options.categories) {
      nlohmann::ordered_json links = nlohmann::ordered_json::array();
      for (const TBaseRecord& link : project.Base.Items()) links.push_back(RecordToJson(link, utf8));
      out["links"] = links;
    }
    PrintLine(out.dump(2));
    return kExitOk;
  }

  if (options.categories) {
    int index = 0;
    for (const std::string& name : project.Cat.Items()) {
      PrintLine(std::to_string(index++) + "\t" + DatabaseTextToUTF8(name, utf8));
    }
    return kExitOk;
  }
  // One link a line: category, caption, address, first keywords.
  for (const TBaseRecord& link : project.Base.Items()) {
    PrintLine(std::to_string(link.Cat) + "\t" + DatabaseTextToUTF8(link.Caption, utf8) + "\t" +
              DisplayAddress(link.URL, utf8) + "\t" + DatabaseTextToUTF8(KeysSummary(link.Keys), utf8));
  }
  return kExitOk;
}

}  // namespace

Command RegisterList(CLI::App& app) {
  auto options = std::make_shared<ListOptions>();
  CLI::App* sub = app.add_subcommand("list", "print the categories and links of a database");
  sub->add_option("DB", options->database, "search database file")->required();
  sub->add_flag("--json", options->json, "print JSON, one object per link");
  sub->add_flag("--categories", options->categories, "print the categories only");
  return {sub, [options](Context& context) { return RunList(context, *options); }};
}

}  // namespace qm::cli
