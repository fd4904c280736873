#include "indexing/FileInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "code_page_guard.h"
#include "database/Addresses.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::CodePageGuard;
using test::ScriptedInteraction;
using test::TempFolder;
namespace fs = std::filesystem;

// Points $TMPDIR, where the extraction makes its temporary pages, at a
// folder of the test's own, so that leftovers can be counted.
class PrivateTempDir {
 public:
  explicit PrivateTempDir(const std::string& folder) {
    const char* old = std::getenv("TMPDIR");
    hadOld_ = old != nullptr;
    if (hadOld_) old_ = old;
    fs::create_directories(folder);
    setenv("TMPDIR", folder.c_str(), 1);
  }
  ~PrivateTempDir() {
    if (hadOld_) {
      setenv("TMPDIR", old_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

 private:
  bool hadOld_ = false;
  std::string old_;
};

class FileInfoTest : public ::testing::Test {
 protected:
  FileInfoTest() : tempDir_(temp_) { WriteSettings(10); }

  void WriteSettings(int keysCount, const std::string& more = {}) {
    folder_.Write("set.xml", "<settings><KeysCount value=\"" + std::to_string(keysCount) +
                                 "\"/><WordPositionWeight value=\"100\"/><FileNameWeight value=\"50\"/>"
                                 "<DescOffset value=\"1\"/><DescLength value=\"300\"/>" +
                                 more + "</settings>");
    folder_.Write("tags.xml", "<tags><title rating=\"300\"/></tags>");
    folder_.Write("words.xml", "<words></words>");
  }

  TBaseRecord Extract(const std::string& path) {
    TBaseRecord record;
    record.Cat = 99;
    record.Caption = "stale";
    ExtractFileInfo(path, database_, record, program_, &ui_);
    return record;
  }

  // Names left in the private temporary folder.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp_)) names.push_back(entry.path().filename());
    return names;
  }

  TempFolder folder_;
  std::string temp_ = folder_ / "tmp/";
  PrivateTempDir tempDir_;
  std::string database_ = folder_ / "searchdb.js";
  ProgramSettings program_;
  ScriptedInteraction ui_;
};

TEST_F(FileInfoTest, RoutesByExtension) {
  const std::string raw = "<title>Raw</title><p>raw text</p>";
  const struct {
    const char* name;
    int keysCount;
    const char* caption;  // "Raw": the file itself was read as a page
    bool keys;
  } cases[] = {
      {"Page.HTM", 10, "Raw", true},
      {"notes.txt", 10, "Raw", true},
      {"list.m3u", 10, "Raw", true},
      // A page that yields no keyword is not tried another way.
      {"empty.html", 0, "Raw", false},
      // Audio: the tag page (for now the file's path) stands for the file.
      {"song.mp3", 10, "", true},
      {"song.OGG", 10, "", true},
      // ... and with no keyword from it, the filter, then the file as text.
      {"song.mp3", 0, "Raw", false},
      // Other types: the filter, then the file as text.
      {"paper.pdf", 10, "Raw", true},
      {"README", 10, "Raw", true},
      // Office documents: the filter, then the converters; never as text.
      {"letter.doc", 10, "", false},
      {"sheet.XLS", 10, "", false},
      {"old.wpt", 0, "", false},
  };
  for (const auto& c : cases) {
    WriteSettings(c.keysCount);
    const std::string path = folder_.Write(c.name, raw);
    const TBaseRecord record = Extract(path);
    EXPECT_EQ(record.Caption, c.caption) << c.name;
    EXPECT_EQ(!record.Keys.empty(), c.keys) << c.name;
    // The address is always the file's own, never a temporary page's.
    EXPECT_EQ(record.URL, MakeLinkURL(database_, path, false)) << c.name;
    EXPECT_EQ(record.Cat, 0) << c.name;
    EXPECT_TRUE(Leftovers().empty()) << c.name;
  }
  EXPECT_EQ(ui_.busyDepth, 0);
  EXPECT_GT(ui_.busyCalls, 0);
}

TEST_F(FileInfoTest, AudioTagPageIsIndexedInTheFilesPlace) {
  WriteSettings(20, "<FileNameCaptionMode value=\"1\"/>");
  const std::string path = folder_.Write("music/My_Song.mp3", "not audio");
  const TBaseRecord record = Extract(path);
  // The page text is the file's path: its words, the file's name.
  EXPECT_EQ(record.Caption, "My_Song.mp3");
  EXPECT_EQ(record.URL, "music%2FMy_Song.mp3");
  EXPECT_TRUE(record.Keys.contains("my"));
  EXPECT_TRUE(record.Keys.contains("song"));
  EXPECT_FALSE(record.Keys.contains("audio"));
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(FileInfoTest, NoTemporaryFolderFallsBackToReadingTheFile) {
  const std::string path = folder_.Write("clip.mp3", "<title>Raw</title>");
  setenv("TMPDIR", (folder_ / "missing/folder").c_str(), 1);
  const TBaseRecord record = Extract(path);
  EXPECT_EQ(record.Caption, "Raw");
  EXPECT_FALSE(record.Keys.empty());
  EXPECT_EQ(record.URL, "clip.mp3");
}

TEST_F(FileInfoTest, SettingsEditTakesEffectAtTheNextFile) {
  const std::string path = folder_.Write("p.html", "<p>one two three four five six</p>");
  WriteSettings(2);
  EXPECT_EQ(Extract(path).Keys.size(), 2u);
  // The same size, written at once: still read anew.
  WriteSettings(3);
  EXPECT_EQ(Extract(path).Keys.size(), 3u);
  WriteSettings(3, "<UTF8Mode value=\"1\"/>");
  Extract(path);
  EXPECT_TRUE(program_.UTF8ModeFlag);
}

TEST_F(FileInfoTest, CategoryAsThePageDeclaresIt) {
  const std::string path = folder_.Write("c.html", "<meta name=\"quillmark-category\" content=\"4\">");
  EXPECT_EQ(Extract(path).Cat, 4);
}

// Files no page should look like: none may crash, take unbounded time or
// yield more than the settings allow.
class BadInputTest : public FileInfoTest, public ::testing::WithParamInterface<bool> {
 protected:
  BadInputTest() {
    WriteSettings(15, std::string("<IndexDepthLimit value=\"100\"/><DescOffset value=\"35\"/>") +
                          "<DescLength value=\"300\"/><UTF8Mode value=\"" + (GetParam() ? "1" : "0") +
                          "\"/>");
  }

  void ExpectSane(const std::string& name, const std::string& content) {
    const std::string path = folder_.Write(name, content);
    const TBaseRecord record = Extract(path);
    EXPECT_EQ(record.URL, MakeLinkURL(database_, path, false)) << name;
    EXPECT_LE(record.Keys.size(), 15u) << name;
    // The description stops growing at 300 bytes plus one word and the
    // dots; a description meta element is as long as the page makes it.
    EXPECT_LE(record.Desc.size(), content.size() * 3 + 400) << name;
    EXPECT_TRUE(Leftovers().empty()) << name;
  }
};

TEST_P(BadInputTest, TruncatedMarkupAndOddBytes) {
  const char* pages[] = {
      "<p>text <b class=\"x",      "<p>text &amp",         "<p>text &#",        "<p>text &#x",
      "<p>text &",                 "<p>text <!-- comment", "<p>text <!",        "<p>text <",
      "<p>text </",                "<title>unclosed",      "<meta name=\"description\" content=\"open",
      "\"keywords\" \"a,b",        "word-",                ".ab",               "<?xml",
      "\xFF\xFE\xC3\x28\xE2\x82",  "\xC0\xAF\xED\xA0\x80 \xF4\x90\x80\x80", "-",  "",
  };
  for (const char* page : pages) ExpectSane("bad.html", page);
  ExpectSane("nul.html", std::string("<title>a\0b</title><p>x\0y &#0; \0", 30));
}

TEST_P(BadInputTest, BinaryFiles) {
  std::mt19937 random(11);
  std::string binary(1 << 20, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  ExpectSane("random.html", binary);
  ExpectSane("random.bin", binary);
  ExpectSane("random.mp3", binary);
  ExpectSane("zeros.html", std::string(1 << 20, '\0'));
}

TEST_P(BadInputTest, OneLongLine) {
  std::string line;
  line.reserve(10 << 20);
  while (line.size() < (10u << 20)) line += "word<b>x</b>&amp;<!--c-->\"q\" ";
  ExpectSane("line.html", line);
  ExpectSane("tag.html", "<p " + std::string(10 << 20, 'a'));
  ExpectSane("word.html", std::string(10 << 20, 'a'));
  ExpectSane("comment.html", "<!--" + std::string(10 << 20, '-'));
}

INSTANTIATE_TEST_SUITE_P(Modes, BadInputTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "UTF8Mode" : "CodePageMode";
                         });

TEST_F(FileInfoTest, HugeFile) {
  // 200 MB: a page with a description meta element at the start and no end.
  WriteSettings(15, "<UTF8Mode value=\"1\"/>");
  const std::string path = folder_ / "huge.html";
  {
    std::ofstream out(path, std::ios::binary);
    out << "<title>Huge</title><meta name=\"description\" content=\"big\"><p>";
    const std::string block = "lorem ipsum dolor sit amet <b>bold</b> &amp; more text\n";
    std::string chunk;
    while (chunk.size() < (1u << 20)) chunk += block;
    for (int i = 0; i < 200; ++i) out << chunk;
  }
  const TBaseRecord record = Extract(path);
  EXPECT_EQ(record.Caption, "Huge");
  EXPECT_EQ(record.Desc, "big");
  EXPECT_FALSE(record.Keys.empty());
  EXPECT_TRUE(Leftovers().empty());
  fs::remove(path);
}

TEST_F(FileInfoTest, Windows1252CodePage) {
  CodePageGuard windows1252("windows-1252");
  WriteSettings(10, "<UTF8Mode value=\"1\"/>");
  // The file name is in the code page; the address and keywords in UTF-8.
  const std::string path = folder_.Write("caf\xE9.html", "<title>\xC9t\xE9</title>");
  const TBaseRecord record = Extract(path);
  EXPECT_EQ(record.Caption, "\xC3\x89t\xC3\xA9");
  EXPECT_EQ(record.URL, "caf%C3%A9.html");
  EXPECT_TRUE(record.Keys.contains("caf\xC3\xA9"));
}

}  // namespace
}  // namespace qm
