#include "driver/FolderScan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "ScanTestProject.h"
#include "database/Addresses.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ScanTestProject;
using test::SplitList;
using ::testing::UnorderedElementsAreArray;

TEST(ScanNames, IndexedFileNames) {
  struct Case {
    const char* extensions;
    const char* name;
    bool indexed;
  } cases[] = {
      {"html, htm, txt", "page.html", true},
      {"html, htm, txt", "PAGE.HTML", true},        // the extension is lower-cased
      {"HTML", "page.html", false},                 // a list entry in capitals matches nothing
      {"HTML", "PAGE.HTML", false},
      {"html", "archive.tar.html", true},           // the part after the last dot
      {"html", "html", false},                      // no dot: no extension
      {"html, xml", "set.xml", false},              // the project's settings files
      {"html, xml", "tags.xml", false},
      {"html, xml", "words.xml", false},
      {"html, xml", "Set.xml", true},               // other letter case is an ordinary file
      {"html,", "README", true},                    // an empty last entry takes names without one
      {"html,", "notes.", true},                    // a trailing dot gives an empty extension too
      {"html", "README", false},
      {"html, txt", ".hidden.txt", true},
  };
  for (const Case& c : cases) {
    ProgramSettings settings;
    settings.ExtensionList = SplitList(c.extensions);
    EXPECT_EQ(IsIndexedFileName(settings, c.name), c.indexed) << c.extensions << " / " << c.name;
  }
}

TEST(ScanNames, StopFoldersMatchExactly) {
  ProgramSettings settings;
  settings.StopDirList = SplitList("cgi-bin, _private");
  EXPECT_TRUE(IsStopDir(settings, "cgi-bin"));
  EXPECT_TRUE(IsStopDir(settings, "_private"));
  EXPECT_FALSE(IsStopDir(settings, "CGI-BIN"));
  EXPECT_FALSE(IsStopDir(settings, "cgi"));
  EXPECT_FALSE(IsStopDir(settings, "private"));
}

TEST(ScanNames, KnownAddressesFollowTheDatabase) {
  TBase links;
  TBaseRecord link;
  link.URL = "docs%2Fa.html";
  links.Add(link);
  KnownAddresses known(links);
  EXPECT_TRUE(known.Contains("docs%2Fa.html"));
  EXPECT_FALSE(known.Contains("docs%2FA.html"));
  known.Add("b.html");
  EXPECT_TRUE(known.Contains("b.html"));
}

TEST(ScanNames, ListsNeverBuiltComeFromTheirTexts) {
  // Settings files that could not be read leave the lists unbuilt; the scan
  // then takes the texts rather than indexing nothing.
  ProgramSettings settings;
  settings.StopDirsText = "cgi-bin";
  EnsureScanLists(settings);
  EXPECT_TRUE(IsIndexedFileName(settings, "page.html"));
  EXPECT_TRUE(IsIndexedFileName(settings, "song.mp3"));
  EXPECT_TRUE(IsStopDir(settings, "cgi-bin"));
  // Lists already built are left as they are.
  settings.ExtensionList = {"txt"};
  EnsureScanLists(settings);
  EXPECT_FALSE(IsIndexedFileName(settings, "page.html"));
}

class FolderScan : public ScanTestProject {
 protected:
  // A site with every kind of entry the scan must tell apart.
  void WriteSite() {
    temp.Write("index.html", "<title>Home</title>");
    temp.Write("notes.txt", "plain text");
    temp.Write("list.m3u", "#EXTM3U\n");
    temp.Write("style.css", "body{}");           // extension not listed
    temp.Write(".hidden.html", "hidden");         // hidden files are indexed
    temp.Write("words.xml", "<words/>");          // settings file
    temp.Write("docs/a.html", "a");
    temp.Write("docs/B.HTM", "b");
    temp.Write("docs/cgi-bin/script.html", "stop folder");
    temp.Write("deep/er/_private/secret.html", "stop folder at depth");
    temp.Write("deep/er/CGI-BIN/shown.html", "not a stop folder");
    temp.Write(".git/config.txt", "hidden folders are entered");
  }
  const std::vector<std::string> kSiteFiles = {
      "index.html", "notes.txt",  "list.m3u",  ".hidden.html", "docs/a.html",
      "docs/B.HTM", "deep/er/CGI-BIN/shown.html", ".git/config.txt"};

  std::vector<std::string> UrlsOf(const std::vector<std::string>& files) const {
    std::vector<std::string> urls;
    for (const std::string& file : files) urls.push_back(UrlOf(file));
    return urls;
  }
};

TEST_F(FolderScan, AddsEveryIndexedFileOfTheTree) {
  WriteSite();
  EXPECT_EQ(AddFolder(project, temp.path(), 2, true, false), 8);
  EXPECT_THAT(Urls(), UnorderedElementsAreArray(UrlsOf(kSiteFiles)));
  for (const TBaseRecord& link : project.Base.Items()) EXPECT_EQ(link.Cat, 2);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderScan, WithoutRecursionOnlyTheFolderItself) {
  WriteSite();
  AddFolder(project, temp.path(), 0, false, false);
  EXPECT_THAT(Urls(), UnorderedElementsAreArray(
                          UrlsOf({"index.html", "notes.txt", "list.m3u", ".hidden.html"})));
}

TEST_F(FolderScan, KnownFilesAreSkippedUnlessAskedFor) {
  WriteSite();
  AddFolder(project, temp.path(), 0, true, false);
  EXPECT_EQ(AddFolder(project, temp.path(), 1, true, false), 0);
  EXPECT_EQ(project.Base.Count(), 8);
  // Adding a new page and scanning again adds just that page.
  temp.Write("docs/new.html", "new");
  EXPECT_EQ(AddFolder(project, temp.path(), 1, true, false), 1);
  EXPECT_EQ(project.Base.At(8).URL, UrlOf("docs/new.html"));
  // With known files, every file again as a further link.
  EXPECT_EQ(AddFolder(project, temp.path(), 1, true, true), 9);
  EXPECT_EQ(project.Base.Count(), 18);
}

TEST_F(FolderScan, ProgressTextPerIndexedFile) {
  temp.Write("a.html", "a");
  temp.Write("b.css", "b");
  temp.Write("c.txt", "c");
  AddFolder(project, temp.path(), 0, true, false);
  ASSERT_EQ(ui.progressTexts.size(), 2u);  // not for b.css
  std::vector<std::string> expected = {temp / "a.html" + "\r\nFiles indexed: 0",
                                       temp / "c.txt" + "\r\nFiles indexed: 0"};
  // The count is the number of links when the file is shown.
  if (ui.progressTexts[0].find("c.txt") != std::string::npos) std::swap(expected[0], expected[1]);
  expected[1].back() = '1';
  EXPECT_EQ(ui.progressTexts, expected);
  EXPECT_EQ(ui.processEventsCalls, 2);
}

TEST_F(FolderScan, ExtensionListWithEmptyEntryTakesFilesWithoutExtension) {
  UseLists("html,", "");
  temp.Write("README", "read me");
  temp.Write("page.html", "page");
  temp.Write("page.txt", "not listed");
  AddFolder(project, temp.path(), 0, true, false);
  EXPECT_THAT(Urls(), UnorderedElementsAreArray(UrlsOf({"README", "page.html"})));
}

TEST_F(FolderScan, StopIsHonouredBetweenFiles) {
  for (int i = 0; i < 20; ++i) temp.Write("p" + std::to_string(i) + ".html", "page");
  // Stop pressed while the third file is shown: the two before it stay, the
  // third is not extracted, nothing after it is looked at.
  ui.onProcessEvents = [&] {
    if (ui.processEventsCalls == 3) project.StopRequested = true;
  };
  EXPECT_EQ(AddFolder(project, temp.path(), 0, true, false), 2);
  EXPECT_EQ(ui.processEventsCalls, 3);
  EXPECT_TRUE(project.StopRequested);
  // A stopped scan does nothing until the caller clears the request.
  EXPECT_EQ(AddFolder(project, temp.path(), 0, true, false), 0);
  project.StopRequested = false;
  EXPECT_EQ(AddFolder(project, temp.path(), 0, true, false), 18);
}

TEST_F(FolderScan, FileVanishingDuringTheScan) {
  for (int i = 0; i < 6; ++i) temp.Write("p" + std::to_string(i) + ".html", "page");
  // The file being shown is deleted before it is extracted.
  ui.onProcessEvents = [&] {
    if (ui.processEventsCalls == 2) {
      const std::string& text = ui.progressTexts.back();
      fs::remove(text.substr(0, text.find('\r')));
    }
  };
  EXPECT_EQ(AddFolder(project, temp.path(), 0, true, false), 5);
  for (const std::string& url : Urls()) EXPECT_TRUE(fs::exists(PathOfUrl(url))) << url;
}

TEST_F(FolderScan, PipesAndDanglingLinksAreNotIndexed) {
  temp.Write("page.html", "page");
  ASSERT_EQ(::mkfifo((temp / "pipe.html").c_str(), 0600), 0);  // reading it would block
  fs::create_symlink(temp / "gone.html", temp / "dangling.html");
  fs::create_symlink(temp / "page.html", temp / "alias.html");
  AddFolder(project, temp.path(), 0, true, false);
  EXPECT_THAT(Urls(), UnorderedElementsAreArray(UrlsOf({"page.html", "alias.html"})));
}

TEST_F(FolderScan, SymbolicLinkLoop) {
  temp.Write("site/a/page.html", "page");
  fs::create_directory_symlink("..", temp / "site/a/parent");
  fs::create_directory_symlink(temp / "site", temp / "site/a/root");
  AddFolder(project, temp / "site/", 0, true, false);
  EXPECT_EQ(Urls(), std::vector<std::string>{UrlOf("site/a/page.html")});
}

TEST_F(FolderScan, AwkwardNamesGiveAddressesOfTheRightFiles) {
  const std::vector<std::string> names = {
      "with blank.html", "100%.html",     "a#b.html",      "what?.html",      "a+b.html",
      "%41.html",        "café/menü.html", "日本語.html",    "x;y=z&w.html",    "quote'\".html",
      "back\\slash.html", "semi;colon/ü b%#?.txt"};
  for (const std::string& name : names) temp.Write(name, "content of " + name);
  AddFolder(project, temp.path(), 0, true, false);
  ASSERT_EQ(project.Base.Count(), static_cast<int>(names.size()));
  for (const std::string& url : Urls()) {
    const std::string path = PathOfUrl(url);
    EXPECT_EQ(test::ReadFile(path), "content of " + path.substr(temp.path().size())) << url;
  }
  EXPECT_THAT(Urls(), UnorderedElementsAreArray(UrlsOf(names)));
}

TEST_F(FolderScan, ThousandLevelsDeep) {
  std::string relative;
  for (int level = 0; level < 1000; ++level) relative += "d/";
  temp.Write(relative + "deep.html", "deep");
  temp.Write("top.html", "top");
  EXPECT_EQ(AddFolder(project, temp.path(), 0, true, false), 2);
  EXPECT_THAT(Urls(), UnorderedElementsAreArray(UrlsOf({relative + "deep.html", "top.html"})));
  EXPECT_EQ(test::ReadFile(PathOfUrl(UrlOf(relative + "deep.html"))), "deep");
}

TEST_F(FolderScan, UnreadableFilesAndFolders) {
  temp.Write("open.html", "open");
  temp.Write("locked/inside.html", "locked folder");
  temp.Write("unreadable.html", "unreadable file");
  ::chmod((temp / "locked").c_str(), 0);
  ::chmod((temp / "unreadable.html").c_str(), 0);
  // The folder contributes nothing; the file exists, so it gets a link with
  // whatever its extraction gave; nothing is reported.
  const int found = test::RunUnprivileged(temp.path(), [&] {
    AddFolder(project, temp.path(), 0, true, false);
    const std::vector<std::string> urls = Urls();
    const auto has = [&](const char* file) {
      return std::find(urls.begin(), urls.end(), UrlOf(file)) != urls.end();
    };
    return (has("open.html") ? 1 : 0) + (has("unreadable.html") ? 2 : 0) +
           (has("locked/inside.html") ? 4 : 0) + (ui.messages.empty() ? 0 : 8) +
           static_cast<int>(urls.size()) * 16;
  });
  EXPECT_EQ(found, 1 + 2 + 2 * 16);
}

TEST_F(FolderScan, IndexFileAlone) {
  const std::string page = temp.Write("docs/page.html", "page");
  EXPECT_TRUE(IndexFile(project, page, 7));
  EXPECT_FALSE(IndexFile(project, temp.Write("docs/style.css", ""), 7));
  EXPECT_FALSE(IndexFile(project, temp / "docs/missing.html", 7));
  ASSERT_EQ(project.Base.Count(), 1);
  EXPECT_EQ(project.Base.At(0).URL, "docs%2Fpage.html");
  EXPECT_EQ(project.Base.At(0).Cat, 7);
}

}  // namespace
}  // namespace qm
