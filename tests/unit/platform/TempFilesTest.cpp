#include "platform/TempFiles.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "support/CodePageGuard.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::EnvVarGuard;
using test::TempFolder;

TEST(TempFiles, MakesUniqueTorFilesInTmpdir) {
  TempFolder tmp;
  EnvVarGuard tmpdir("TMPDIR", tmp.path());
  const std::string a = MakeTempName(".htm");
  const std::string b = MakeTempName(".htm");
  const std::string c = MakeTempName();
  for (const std::string& name : {a, b, c}) {
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(FolderOfPath(name), tmp.path());
    EXPECT_EQ(FileNameOfPath(name).substr(0, 3), "tor");
    EXPECT_TRUE(FileExists(name));
  }
  EXPECT_NE(a, b);
  EXPECT_EQ(a.substr(a.size() - 4), ".htm");
  RemoveAllTempFiles();
}

TEST(TempFiles, DeletesOnlyItsOwnFiles) {
  TempFolder tmp;
  EnvVarGuard tmpdir("TMPDIR", tmp.path());
  const std::string foreign = tmp.Write("torABCDEF.htm", "another program's file");
  const std::string mine = MakeTempName(".htm");
  const std::string second = MakeTempName(".txt");

  RemoveTempFile(foreign);  // not made here: left alone
  EXPECT_TRUE(FileExists(foreign));

  RemoveTempFile(mine);
  EXPECT_FALSE(FileExists(mine));
  // A name is forgotten once removed: a file that takes its place later
  // belongs to someone else.
  tmp.Write(FileNameOfPath(mine), "reused name");
  RemoveAllTempFiles();
  EXPECT_TRUE(FileExists(mine));
  EXPECT_FALSE(FileExists(second));
  EXPECT_TRUE(FileExists(foreign));
}

TEST(TempFiles, DefaultsToTmpAndFailsQuietlyInAMissingFolder) {
  {
    EnvVarGuard tmpdir("TMPDIR", std::nullopt);
    const std::string name = MakeTempName(".htm");
    EXPECT_EQ(name.rfind("/tmp/tor", 0), 0u) << name;
    RemoveTempFile(name);
    EXPECT_FALSE(FileExists(name));
  }
  EnvVarGuard tmpdir("TMPDIR", "/nonexistent-folder-for-quillmark-tests");
  EXPECT_EQ(MakeTempName(".htm"), "");
}

}  // namespace
}  // namespace qm
