// quillmark-cli extract FILE [--db DB] [--json]: the link record that indexing
// would make of one file, with the settings files of the database's folder.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/cli/Commands.h"
#include "app/cli/Output.h"
#include "indexing/FileInfo.h"
#include "platform/Paths.h"

namespace qm::cli {
namespace {

struct ExtractOptions {
  std::string file;
  std::string database = kDefaultDatabaseName;
  bool json = false;
};

void PrintLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

int RunExtract(Context& context, const ExtractOptions& options) {
  struct stat st{};
  if (::stat(options.file.c_str(), &st) != 0) {
    PrintError("cannot open " + options.file + ": " + std::strerror(errno));
    return kExitFailed;
  }
  if (!S_ISREG(st.st_mode)) {
    PrintError(options.file + " is not a regular file");
    return kExitFailed;
  }
  // Link addresses are made by comparing full paths.
  const std::string file = AbsolutePath(options.file);
  const std::string database = AbsolutePath(options.database);
  Project& project = context.project;
  project.DatabaseFile = database;

  TBaseRecord record;
  ExtractFileInfo(file, database, record, project.Settings, &context.ui);
  const bool utf8 = project.Settings.UTF8ModeFlag;

  if (options.json) {
    PrintLine(RecordToJson(record, utf8).dump(2));
    return kExitOk;
  }
  PrintLine("cat: " + std::to_string(record.Cat));
  PrintLine("caption: " + DatabaseTextToUTF8(record.Caption, utf8));
  PrintLine("url: " + record.URL);
  PrintLine("address: " + DisplayAddress(record.URL, utf8));
  PrintLine("desc: " + DatabaseTextToUTF8(record.Desc, utf8));
  std::string keys;
  for (std::string_view key : record.Keys) {
    if (!keys.empty()) keys += ", ";
    keys += DatabaseTextToUTF8(key, utf8);
  }
  PrintLine("keys: " + keys);
  return kExitOk;
}

}  // namespace

Command RegisterExtract(CLI::App& app) {
  auto options = std::make_shared<ExtractOptions>();
  CLI::App* sub = app.add_subcommand("extract", "print the link record indexing makes of one file");
  sub->add_option("FILE", options->file, "file to extract")->required();
  sub->add_option("--db", options->database,
                  "search database file whose folder holds the settings files (default: searchdb.js "
                  "in the current folder)");
  sub->add_flag("--json", options->json, "print the record as JSON");
  return {sub, [options](Context& context) { return RunExtract(context, *options); }};
}

}  // namespace qm::cli
