// quillmark-cli: the headless front end for build pipelines.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/cli/Commands.h"
#include "platform/CodePage.h"
#include "platform/Env.h"

namespace {

using namespace qm;
using namespace qm::cli;

bool ChooseCodePage(const std::string& name) {
  if (name.empty()) {
    if (ApplyCodePageFromEnvironment()) return true;
    PrintError("unknown code page in QUILLMARK_CODEPAGE: " + std::string(std::getenv("QUILLMARK_CODEPAGE")));
    return false;
  }
  if (SetSystemCodePage(name)) return true;
  PrintError("unknown code page: " + name +
             " (use utf-8, windows-1250..1258, iso-8859-2..15 or koi8-r)");
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Quillmark: builds a client-side search engine for a website, CD or DVD folder.",
               "quillmark-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("quillmark-cli ") + QUILLMARK_VERSION);
  std::string codepage;
  bool quiet = false;
  app.add_option("--codepage", codepage,
                 "8-bit code page of legacy texts (default utf-8, or $QUILLMARK_CODEPAGE)");
  app.add_flag("--quiet", quiet, "print nothing but errors");
  app.fallthrough();

  const std::vector<Command> commands = {
      RegisterList(app),
      RegisterExtract(app),
      RegisterNew(app),
      RegisterAdd(app),
      RegisterUpdate(app),
      RegisterTemplates(app),
  };

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }
  if (!ChooseCodePage(codepage)) return kExitUsage;

  Context context{Project{}, CliInteraction(quiet, false), quiet};
  InitProject(context.project, context.ui, Env::Default());

  int status = kExitOk;
  for (const Command& command : commands) {
    if (command.subcommand->parsed()) status = command.run(context);
  }
  context.ui.finishProgress();
  FreeProject(context.project);
  return status;
}
