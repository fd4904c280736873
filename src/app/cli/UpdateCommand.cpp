#include <cstdio>
#include <memory>

#include "app/cli/Commands.h"
#include "app/cli/Indexing.h"
#include "driver/CommandLine.h"

namespace qm::cli {
namespace {

int RunUpdate(Context& context, const std::string& database) {
  if (!OpenForIndexing(context, database)) return kExitFailed;
  return IndexAndSave(context, [&](ScanProgress& progress) {
    const UpdateResult result = RunDatabaseUpdate(context.project, {});
    char summary[160];
    std::snprintf(summary, sizeof summary, "re-indexed %d of %d links in %.1f s; missing pages: %d",
                  result.reindexed, context.project.Base.Count(), progress.seconds(),
                  result.missing);
    return std::string(summary);
  });
}

}  // namespace

Command RegisterUpdate(CLI::App& app) {
  auto database = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand(
      "update", "index every local link of a database again and save it");
  sub->add_option("DB", *database, "search database file")->required();
  return {sub, [database](Context& context) { return RunUpdate(context, *database); }};
}

}  // namespace qm::cli
