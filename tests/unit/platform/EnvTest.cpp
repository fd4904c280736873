#include "platform/Env.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/Folders.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::ReadFile;
using test::TempFolder;

TEST(Env, ReadFileReadsRegularFilesOnly) {
  TempFolder temp;
  Env& env = Env::Default();
  std::string contents = "stale";
  const std::string binary("a\0b\xFF\r\n", 6);
  EXPECT_TRUE(env.ReadFile(temp.Write("f", binary), &contents));
  EXPECT_EQ(contents, binary);

  EXPECT_TRUE(env.ReadFile(temp.Write("empty", ""), &contents));
  EXPECT_EQ(contents, "");

  contents = "stale";
  EXPECT_FALSE(env.ReadFile(temp / "missing", &contents));
  EXPECT_EQ(contents, "");
  contents = "stale";
  EXPECT_FALSE(env.ReadFile(temp.path(), &contents));  // a folder
  EXPECT_EQ(contents, "");
  EXPECT_FALSE(env.ReadFile("/dev/null", &contents));   // not a regular file

  // Files whose size the system does not know in advance are read whole.
  EXPECT_TRUE(env.ReadFile("/proc/self/status", &contents));
  EXPECT_NE(contents.find("VmRSS"), std::string::npos);
}

TEST(Env, WritesRenamesAndDeletes) {
  TempFolder temp;
  Env& env = Env::Default();
  auto file = env.NewWritableFile(temp / "new");
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Append("hello "));
  EXPECT_TRUE(file->Append("world"));
  EXPECT_TRUE(file->Sync());
  EXPECT_TRUE(file->Close());
  EXPECT_FALSE(file->Close());
  EXPECT_FALSE(file->Append("late"));
  EXPECT_EQ(ReadFile(temp / "new"), "hello world");

  // NewWritableFile empties an existing file.
  temp.Write("old", "old content");
  file = env.NewWritableFile(temp / "old");
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(ReadFile(temp / "old"), "");

  EXPECT_TRUE(env.RenameFile(temp / "new", temp / "old"));
  EXPECT_EQ(ReadFile(temp / "old"), "hello world");
  EXPECT_FALSE(env.FileExists(temp / "new"));
  EXPECT_FALSE(env.RenameFile(temp / "new", temp / "x"));
  EXPECT_TRUE(env.SyncFolder(temp.path()));
  EXPECT_FALSE(env.FileExists(temp.path()));
  EXPECT_TRUE(env.DeleteFile(temp / "old"));
  EXPECT_FALSE(env.DeleteFile(temp / "old"));
  EXPECT_FALSE(env.NewWritableFile(temp / "no/such/folder/file"));
}

TEST(Env, ARenamedFileKeepsTheAccessRightsOfTheFileItReplaces) {
  TempFolder temp;
  Env& env = Env::Default();
  const std::string target = temp.Write("private.js", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  const std::string fresh = temp.Write("fresh", "new");
  ASSERT_EQ(::chmod(fresh.c_str(), 0644), 0);
  EXPECT_TRUE(env.RenameFile(fresh, target));
  struct stat st{};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadFile(target), "new");
}

TEST(Env, CopyFileReplacesTheTargetAndLeavesNoTemporaryFile) {
  TempFolder temp;
  Env& env = Env::Default();
  const std::string from = temp.Write("from.js", "new content");
  const std::string to = temp.Write("to.js", "old content");
  EXPECT_TRUE(env.CopyFile(from, to));
  EXPECT_EQ(ReadFile(to), "new content");
  EXPECT_EQ(ReadFile(from), "new content");
  EXPECT_FALSE(FileExists(to + "~copy~"));

  EXPECT_FALSE(env.CopyFile(temp / "missing", to));
  EXPECT_EQ(ReadFile(to), "new content");
  EXPECT_FALSE(env.CopyFile(from, temp / "no/folder/to.js"));
  EXPECT_TRUE(env.CopyFile(from, temp / "fresh.js"));
  EXPECT_EQ(ReadFile(temp / "fresh.js"), "new content");
}

TEST(Env, NeverWritesThroughASymbolicLink) {
  TempFolder temp;
  Env& env = Env::Default();
  const std::string victim = temp.Write("victim", "untouched");
  ASSERT_EQ(::symlink(victim.c_str(), (temp / "link").c_str()), 0);
  EXPECT_FALSE(env.NewWritableFile(temp / "link"));
  EXPECT_EQ(ReadFile(victim), "untouched");

  // A link planted as CopyFile's temporary file is removed, not followed.
  const std::string from = temp.Write("from", "copied");
  ASSERT_EQ(::symlink(victim.c_str(), (temp / "to~copy~").c_str()), 0);
  EXPECT_TRUE(env.CopyFile(from, temp / "to"));
  EXPECT_EQ(ReadFile(temp / "to"), "copied");
  EXPECT_EQ(ReadFile(victim), "untouched");
}

}  // namespace
}  // namespace qm
