// A project in a temporary folder for the tests of the folder scan, the
// update and the command-line modes: the database file is searchdb.js in the
// folder's root, messages go to a ScriptedInteraction.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "driver/Project.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm::test {

// A database file with the two markers and an empty database between them.
inline constexpr const char* kEmptyDatabase =
    "var qmkVersion=1;\n//Settings\n//DatabaseEnd\n// after the block\n";

class ScanTestProject : public ::testing::Test {
 protected:
  ScanTestProject();
  ~ScanTestProject() override;

  // Sets the extension and stop-folder lists, and writes a set.xml with the
  // same texts into the project folder, since extracting a file reads the
  // project's settings again.
  void UseLists(const std::string& extensions, const std::string& stopDirs);

  // The stored addresses of the links, in order.
  std::vector<std::string> Urls() const;
  // The local file that a stored address names (as the update finds it).
  std::string PathOfUrl(const std::string& url) const;
  // The stored address of a file of the project.
  std::string UrlOf(const std::string& relativePath) const;

  TempFolder temp;
  ScriptedInteraction ui;
  Project project;
};

// Runs `work` as user nobody in a child process when the test runs as root
// (root reads every folder and file), after giving the tree to that user;
// else in this process. Returns what `work` returned (0 to 254), or -1.
int RunUnprivileged(const std::string& tree, const std::function<int()>& work);

// "a, b,c" -> {"a", "b", "c"}: the list a settings text gives (comma and
// blank separated).
std::vector<std::string> SplitList(const std::string& text);

}  // namespace qm::test
