#include "driver/Templates.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "driver/Project.h"
#include "platform/Env.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScriptedInteraction;
using test::TempFolder;

class Templates : public ::testing::Test {
 protected:
  Templates() {
    InitProject(project, ui, Env::Default());
    project.TemplatesFolder = store.path();
    store.Write("Plain/search.html", "template search");
    store.Write("Plain/searchdb.js", "template db");
    store.Write("Plain/qmktp.js", "template script");
    store.Write("Plain/style.css", "template style");
    store.Write("Plain/img/logo.txt", "template logo");
    fs::create_directories(store / "Plain/empty/inner");
  }
  ~Templates() override { FreeProject(project); }

  TempFolder store;  // the templates folder
  TempFolder root;   // the project's root folder
  ScriptedInteraction ui;
  Project project;
};

TEST_F(Templates, ListsSubfoldersSortedIgnoringCase) {
  store.Write("beta/search.html", "");
  store.Write("Alpha/search.html", "");
  store.Write("README.txt", "not a template");
  fs::create_directories(store / ".hidden");
  EXPECT_EQ(ListTemplates(store.path()), (std::vector<std::string>{"Alpha", "beta", "Plain"}));
  EXPECT_TRUE(ListTemplates(store / "missing").empty());
}

TEST_F(Templates, CopiesTheWholeTree) {
  CopyTemplateFolder(project, store / "Plain/", root.path());
  EXPECT_EQ(ReadFile(root / "search.html"), "template search");
  EXPECT_EQ(ReadFile(root / "searchdb.js"), "template db");
  EXPECT_EQ(ReadFile(root / "img/logo.txt"), "template logo");
  EXPECT_TRUE(fs::is_directory(root / "empty/inner"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Templates, AsksBeforeReplacingKeyFiles) {
  root.Write("searchdb.js", "my links");
  root.Write("search.html", "my search");
  root.Write("qmktp.js", "my script");
  root.Write("style.css", "my style");
  ui.defaultAnswer = MessageAnswer::Yes;
  std::vector<std::string> asked;
  CopyTemplateFolder(project, store / "Plain/", root.path());
  ASSERT_EQ(ui.messages.size(), 3u);
  for (const auto& message : ui.messages) {
    EXPECT_EQ(message.caption, "Question");
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_EQ(message.buttons, MessageButtons::YesNo);
    asked.push_back(message.text);
  }
  EXPECT_THAT(asked, ::testing::UnorderedElementsAre(
                         "File " + root / "searchdb.js" + "\nis exists.\n\nReplace?",
                         "File " + root / "search.html" + "\nis exists.\n\nReplace?",
                         "File " + root / "qmktp.js" + "\nis exists.\n\nReplace?"));
  EXPECT_EQ(ReadFile(root / "searchdb.js"), "template db");
  EXPECT_EQ(ReadFile(root / "style.css"), "template style");  // replaced without asking
}

TEST_F(Templates, AnsweringNoKeepsTheProjectsFile) {
  root.Write("searchdb.js", "my links");
  root.Write("style.css", "my style");
  ui.defaultAnswer = MessageAnswer::No;
  CopyTemplateFolder(project, store / "Plain/", root.path());
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ReadFile(root / "searchdb.js"), "my links");
  EXPECT_EQ(ReadFile(root / "search.html"), "template search");
  EXPECT_EQ(ReadFile(root / "style.css"), "template style");
}

TEST_F(Templates, CopyFailuresAreReportedAndTheCopyGoesOn) {
  root.Write("img", "a file where the template has a folder");
  ASSERT_EQ(::mkfifo((store / "Plain/pipe.txt").c_str(), 0600), 0);
  CopyTemplateFolder(project, store / "Plain/", root.path());
  std::vector<std::string> errors;
  for (const auto& message : ui.messages) {
    EXPECT_EQ(message.caption, "Error");
    errors.push_back(message.text);
  }
  EXPECT_THAT(errors, ::testing::UnorderedElementsAre(
                          "Cannot copy file " + store / "Plain/img/logo.txt" +
                              "\nto directory " + root / "img/",
                          "Cannot copy file " + store / "Plain/pipe.txt" + "\nto directory " +
                              root.path()));
  EXPECT_EQ(ReadFile(root / "search.html"), "template search");
}

TEST_F(Templates, CreateProjectCopiesIntoTheRootAndEmptiesTheModel) {
  project.Cat.Add("Old");
  project.Base.Add(TBaseRecord{});
  // Typed without a trailing separator: the root itself, not its parent.
  CreateProject(project, root / "site", "Plain");
  EXPECT_EQ(ReadFile(root / "site/searchdb.js"), "template db");
  EXPECT_FALSE(fs::exists(root / "searchdb.js"));
  EXPECT_EQ(project.Cat.Count(), 0);
  EXPECT_EQ(project.Base.Count(), 0);
}

TEST_F(Templates, CreatingTwiceAsksOnceForEachKeyFile) {
  fs::create_directories(root / "site");
  CreateProject(project, root / "site/", "Plain");
  EXPECT_TRUE(ui.messages.empty());
  CreateProject(project, root / "site/", "Plain");
  EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(Templates, SearchPageChoice) {
  struct Case {
    std::vector<const char*> present;
    const char* opened;  // empty: the folder
  } cases[] = {
      {{"qmk.html", "search.html", "index.html"}, "qmk.html"},
      {{"search.html", "index.html"}, "search.html"},
      {{"index.html"}, "index.html"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    for (const char* name : c.present) folder.Write(name, "");
    project.DatabaseFile = folder / "searchdb.js";
    std::vector<std::string> opened;
    PreviewPage(project, [&](const std::string& page) { opened.push_back(page); });
    EXPECT_EQ(opened, std::vector<std::string>{folder / c.opened});
  }
}

}  // namespace
}  // namespace qm
