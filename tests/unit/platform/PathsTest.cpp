#include "platform/Paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace qm {
namespace {

struct PathCase {
  const char* in;
  const char* out;
};

TEST(Paths, FolderOfPath) {
  const PathCase cases[] = {{"/site/page.html", "/site/"}, {"docs/a.txt", "docs/"}, {"name", ""},
                            {"/", "/"},                    {"", ""},              {"/a/b/", "/a/b/"},
                            {"a\\b.txt", ""}};
  for (const PathCase& c : cases) EXPECT_EQ(FolderOfPath(c.in), c.out) << c.in;
}

TEST(Paths, FileNameOfPath) {
  const PathCase cases[] = {{"/site/page.html", "page.html"}, {"name", "name"}, {"/a/b/", ""}, {"", ""}};
  for (const PathCase& c : cases) EXPECT_EQ(FileNameOfPath(c.in), c.out) << c.in;
}

TEST(Paths, ExtensionOfPathIsLowerCaseWithoutTheDot) {
  const PathCase cases[] = {{"/site/Page.HTML", "html"}, {"a.tar.gz", "gz"}, {"/x.y/name", ""},
                            {"noext", ""},               {"name.", ""},      {".profile", "profile"},
                            {"/d/song.Mp3", "mp3"}};
  for (const PathCase& c : cases) EXPECT_EQ(ExtensionOfPath(c.in), c.out) << c.in;
}

TEST(Paths, TrailingSeparator) {
  const PathCase with[] = {{"/site", "/site/"}, {"/site/", "/site/"}, {"", ""}, {"/", "/"}};
  for (const PathCase& c : with) EXPECT_EQ(WithTrailingSeparator(c.in), c.out) << c.in;
  const PathCase without[] = {{"/site/", "/site"}, {"/site", "/site"}, {"/", "/"}, {"", ""}, {"a/", "a"}};
  for (const PathCase& c : without) EXPECT_EQ(WithoutTrailingSeparator(c.in), c.out) << c.in;
}

TEST(Paths, AbsolutePaths) {
  EXPECT_TRUE(IsAbsolutePath("/x"));
  EXPECT_FALSE(IsAbsolutePath("x/y"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_TRUE(IsPathSeparator('/'));
  EXPECT_FALSE(IsPathSeparator('\\'));

  const PathCase cases[] = {{"/a/./b/../c", "/a/c"}, {"/a/b/", "/a/b/"}, {"/..", "/"},
                            {"/", "/"},              {"//a//b", "/a/b"},  {"/a/b/..", "/a"},
                            {"/a/../../b/", "/b/"}};
  for (const PathCase& c : cases) EXPECT_EQ(AbsolutePath(c.in), c.out) << c.in;

  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  const std::string here = WithTrailingSeparator(cwd);
  EXPECT_EQ(AbsolutePath(""), here);
  EXPECT_EQ(AbsolutePath("x/y.html"), here + "x/y.html");
  EXPECT_EQ(AbsolutePath("./x/"), here + "x/");
}

}  // namespace
}  // namespace qm
