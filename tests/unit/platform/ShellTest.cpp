#include "platform/Shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/CodePageGuard.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::EnvVarGuard;
using test::ReadFile;
using test::TempFolder;

// Puts a stand-in xdg-open first on PATH that logs its argument and fails
// for any target but those listed in "opens".
class FakeXdgOpen {
 public:
  FakeXdgOpen()
      : path_("PATH", bin_.path() + ":" + std::string(std::getenv("PATH") ? std::getenv("PATH") : "")) {
    const std::string script = bin_.Write(
        "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + bin_.path() +
                        "log'\ngrep -qxF -- \"$1\" '" + bin_.path() + "opens' 2>/dev/null\n");
    ::chmod(script.c_str(), 0755);
  }
  void Opens(const std::string& target) { bin_.Write("opens", ReadFile(bin_ / "opens") + target + "\n"); }
  std::string Log() const { return ReadFile(bin_ / "log"); }

 private:
  TempFolder bin_;
  EnvVarGuard path_;
};

TEST(OpenDocument, OpensTheTargetWithXdgOpen) {
  FakeXdgOpen xdg;
  xdg.Opens("/site/search.html");
  OpenDocument("/site/search.html");
  EXPECT_EQ(xdg.Log(), "/site/search.html\n");
}

TEST(OpenDocument, FallsBackToTheContainingFolder) {
  FakeXdgOpen xdg;
  OpenDocument("/site/missing page.html");
  EXPECT_EQ(xdg.Log(), "/site/missing page.html\n/site/\n");
}

TEST(OpenWebPage, AppendsTheQueryToTheAddress) {
  FakeXdgOpen xdg;
  xdg.Opens("https://example.org/help?topic=save");
  OpenWebPage("https://example.org/help", "?topic=save");
  EXPECT_EQ(xdg.Log(), "https://example.org/help?topic=save\n");
}

}  // namespace
}  // namespace qm
