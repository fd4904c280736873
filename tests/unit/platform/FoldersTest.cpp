#include "platform/Folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/Paths.h"
#include "support/CodePageGuard.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::EnvVarGuard;
using test::TempFolder;

TEST(ForceFolder, CreatesMissingParentsAndIsIdempotent) {
  TempFolder temp;
  const std::string deep = temp / "A/B/C/";
  EXPECT_FALSE(FolderExists(temp / "A"));
  EXPECT_TRUE(ForceFolder(deep));
  EXPECT_TRUE(FolderExists(temp / "A/B/C"));
  EXPECT_TRUE(ForceFolder(deep));
  EXPECT_TRUE(ForceFolder(temp / "A/B/C"));
  EXPECT_TRUE(ForceFolder("/"));
}

TEST(ForceFolder, FailsWhereAFileStandsInTheWay) {
  TempFolder temp;
  temp.Write("file", "x");
  EXPECT_FALSE(ForceFolder(temp / "file"));
  EXPECT_FALSE(ForceFolder(temp / "file/sub/"));
  EXPECT_TRUE(FileExists(temp / "file"));
}

TEST(FolderAndFileExists, TellFoldersFromFiles) {
  TempFolder temp;
  temp.Write("f.txt", "");
  EXPECT_TRUE(FolderExists(temp.path()));
  EXPECT_FALSE(FolderExists(temp / "f.txt"));
  EXPECT_TRUE(FileExists(temp / "f.txt"));
  EXPECT_FALSE(FileExists(temp.path()));
  EXPECT_FALSE(FileExists(temp / "missing"));
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  // The test program lives in the build's bin folder, where the build copies data/.
  EXPECT_EQ(ProgramFolder(), std::string(QUILLMARK_BIN_DIR) + "/");
  SetProgramFolderOverride("/opt/quillmark");
  EXPECT_EQ(ProgramFolder(), "/opt/quillmark/");
  SetProgramFolderOverride("");
  EXPECT_EQ(ProgramFolder(), std::string(QUILLMARK_BIN_DIR) + "/");
}

TEST(PersonalFolder, PrefersTheXdgDocumentsFolder) {
  TempFolder home;
  EnvVarGuard homeVar("HOME", WithoutTrailingSeparator(home.path()));
  EnvVarGuard config("XDG_CONFIG_HOME", std::nullopt);
  const std::string homePath = home.path();

  // No user-dirs file: the home folder.
  EXPECT_EQ(PersonalFolder(), homePath);

  home.Write(".config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
             "XDG_DOCUMENTS_DIR=\"$HOME/My Docs\"\n");
  // Named but missing: the home folder.
  EXPECT_EQ(PersonalFolder(), homePath);
  ASSERT_TRUE(ForceFolder(home / "My Docs"));
  EXPECT_EQ(PersonalFolder(), home / "My Docs/");

  // XDG_CONFIG_HOME tells where the user-dirs file is.
  TempFolder config2;
  config2.Write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + home.path() + "Other\"\n");
  ASSERT_TRUE(ForceFolder(home / "Other"));
  EnvVarGuard configVar("XDG_CONFIG_HOME", config2.path());
  EXPECT_EQ(PersonalFolder(), home / "Other/");

  // A relative name (which the user-dirs rules do not allow) is not taken
  // relative to whatever the current folder is.
  config2.Write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"Other\"\n");
  const std::string here = AbsolutePath("");
  ASSERT_EQ(::chdir(home.path().c_str()), 0);
  EXPECT_EQ(PersonalFolder(), homePath);
  ASSERT_EQ(::chdir(here.c_str()), 0);
}

TEST(PersonalFolder, IsTheRootWithoutAHome) {
  EnvVarGuard homeVar("HOME", std::nullopt);
  EXPECT_EQ(PersonalFolder(), "/");
}

TEST(UserSettingsFolder, InstalledProgramsUseTheConfigFolder) {
  TempFolder home;
  EnvVarGuard homeVar("HOME", WithoutTrailingSeparator(home.path()));
  EnvVarGuard config("XDG_CONFIG_HOME", std::nullopt);

  SetProgramFolderOverride("/usr/share/quillmark/");
  EXPECT_FALSE(IsOutsideProgramFiles());
  EXPECT_EQ(UserSettingsFolder("Dorvel/Quillmark/"), home / ".config/Dorvel/Quillmark/");
  {
    EnvVarGuard xdg("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(UserSettingsFolder("Dorvel/Quillmark/"), "/tmp/cfg/Dorvel/Quillmark/");
  }
  {
    EnvVarGuard xdg("XDG_CONFIG_HOME", "relative/cfg");  // ignored, as the XDG rules say
    EXPECT_EQ(UserSettingsFolder("Dorvel/Quillmark/"), home / ".config/Dorvel/Quillmark/");
  }
  {
    EnvVarGuard noHome("HOME", std::nullopt);
    EXPECT_EQ(UserSettingsFolder("Dorvel/Quillmark/"), "/usr/share/quillmark/");
  }
  // The program folder is compared without regard to case.
  SetProgramFolderOverride("/USR/local/share/quillmark/");
  EXPECT_FALSE(IsOutsideProgramFiles());

  // A copy run from anywhere else keeps its settings beside itself.
  SetProgramFolderOverride("/home/me/quillmark/");
  EXPECT_TRUE(IsOutsideProgramFiles());
  EXPECT_EQ(UserSettingsFolder("Dorvel/Quillmark/"), "/home/me/quillmark/");
  SetProgramFolderOverride("");
  EXPECT_EQ(ProgramFilesFolder(), "/usr/");
}

}  // namespace
}  // namespace qm
