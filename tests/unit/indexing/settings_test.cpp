#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "code_page_guard.h"
#include "indexing/ProgramSettings.h"
#include "indexing/RatingSettings.h"
#include "indexing/SettingsCache.h"
#include "platform/Folders.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::CodePageGuard;
using test::TempFolder;
using Strings = std::vector<std::string>;

TEST(SettingsNumbers, FollowTheNumberRule) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"12", 12},          {"  42", 42},        {"-12", -12},      {"+7", 7},
      {"-12x", 12},        {"12x", 12},         {"x", 0},          {"", 0},
      {"-", 0},            {" - 5", 0},         {"1.5", 1},        {"12 ", 12},
      {"$1F", 31},         {"0x1f", 31},        {"0X10", 16},      {"-$10", -16},
      {"$FFFFFFFF", -1},   {"$1G", 1},          {"0x", 0},         {"007", 7},
      {"2147483647", INT32_MAX},                {"-2147483648", INT32_MIN},
      {"99999999999", 999999999},               {"-99999999999", 999999999},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSettingsInteger(c.text), c.value) << c.text;
}

TEST(SettingsLists, BuildExtensionAndStopDirLists) {
  const struct {
    const char* text;
    Strings extensions;
    Strings stopDirs;
  } cases[] = {
      {kDefaultExtensions,
       {"html", "htm", "shtml", "phtml", "php", "php3", "php4", "php5", "asp", "jsp", "txt", "mp3",
        "ogg", "m3u"},
       {"html", "htm", "shtml", "phtml", "php", "php3", "php4", "php5", "asp", "jsp", "txt", "mp3",
        "ogg", "m3u"}},
      {"", {""}, {""}},
      {"HTML;.Htm,", {"HTML", "Htm", ""}, {"HTML", ".Htm", ""}},
      {"cgi-bin, _private .git", {"cgi", "bin", "private", "git"}, {"cgi-bin", "_private", ".git"}},
      {"caf\xC3\xA9 x", {"caf\xC3\xA9", "x"}, {"caf\xC3\xA9", "x"}},
  };
  for (const auto& c : cases) {
    ProgramSettings program;
    program.ExtensionsText = c.text;
    program.StopDirsText = c.text;
    BuildExtensionList(program);
    BuildStopDirList(program);
    EXPECT_EQ(program.ExtensionList, c.extensions) << c.text;
    EXPECT_EQ(program.StopDirList, c.stopDirs) << c.text;
  }
  // In windows-1252 the byte 0xE9 is a letter and 0xBB (a quotation mark) is not.
  CodePageGuard cp("windows-1252");
  ProgramSettings program;
  program.ExtensionsText = "caf\xE9\xBBx";
  BuildExtensionList(program);
  EXPECT_EQ(program.ExtensionList, (Strings{"caf\xE9", "x"}));
}

// Three settings files in a temporary folder.
class SettingsFilesTest : public ::testing::Test {
 protected:
  SettingsFiles Write(std::string_view set, std::string_view tags, std::string_view words) {
    return SettingsFiles{folder_.Write("set.xml", set), folder_.Write("tags.xml", tags),
                         folder_.Write("words.xml", words)};
  }
  SettingsFiles WriteSet(std::string_view set) {
    return Write(set, "<tags></tags>", "<words></words>");
  }

  TempFolder folder_;
  RatingSettings settings_;
  ProgramSettings program_;
};

constexpr const char* kFullSet = R"(<?xml version="1.0" encoding="utf-8"?>
<!-- indexing settings -->
<Settings>
  <TagsMinimalRating value="-10"/>
  <StopWordsMinimalRating value="5"/>
  <KeysCount value="12"/>
  <BeginOfFile value="100"/>
  <EndOfFile value="50"/>
  <DigitRating value="20"/>
  <XXXRating value="130"/>
  <YyyRating value="150"/>
  <zzzRating value="100"/>
  <CodeRating value="-25"/>
  <KeywordRating value="200"/>
  <ExistingWeight value="1"/>
  <TagWeight value="100"></TagWeight>
  <WordPositionWeight value="90"/>
  <WordCaseWeight value="50"/>
  <CountWeight value="10"/>
  <FileNameWeight value="200"/>
  <DescOffset value="3"/>
  <DescLength value="120"/>
  <JSPageTitleSign value="PageTitle ="/>
  <JSPageDescSign value="Page&amp;Desc"/>
  <Extensions value="html,  htm;txt"/>
  <StopDirs value="cgi-bin _vti"/>
  <IndexDepthLimit value="64"/>
  <UTF8Mode value="1"/>
  <ProgrammingLanguageMode value="1"/>
  <FileNameCaptionMode value="2"/>
</Settings>
)";

TEST_F(SettingsFilesTest, ReadsEveryKeyOfSetXml) {
  ASSERT_TRUE(LoadSettings(WriteSet(kFullSet), settings_, program_));
  EXPECT_EQ(settings_.TagsMinimalRating, -10);
  EXPECT_EQ(settings_.StopWordsMinimalRating, 5);
  EXPECT_EQ(settings_.KeysCount, 12);
  EXPECT_DOUBLE_EQ(settings_.BeginOfFile, 1.0);
  EXPECT_DOUBLE_EQ(settings_.EndOfFile, 0.5);
  EXPECT_DOUBLE_EQ(settings_.DigitRating, 0.2);
  EXPECT_DOUBLE_EQ(settings_.XXXRating, 1.3);
  EXPECT_DOUBLE_EQ(settings_.YyyRating, 1.5);
  EXPECT_DOUBLE_EQ(settings_.zzzRating, 1.0);
  EXPECT_DOUBLE_EQ(settings_.CodeRating, -0.25);
  EXPECT_DOUBLE_EQ(settings_.KeywordRating, 2.0);
  EXPECT_DOUBLE_EQ(settings_.ExistingWeight, 0.01);
  EXPECT_DOUBLE_EQ(settings_.TagWeight, 1.0);
  EXPECT_DOUBLE_EQ(settings_.WordPositionWeight, 0.9);
  EXPECT_DOUBLE_EQ(settings_.WordCaseWeight, 0.5);
  EXPECT_DOUBLE_EQ(settings_.CountWeight, 0.1);
  EXPECT_DOUBLE_EQ(settings_.FileNameWeight, 2.0);
  EXPECT_EQ(settings_.DescOffset, 3);
  EXPECT_EQ(settings_.DescLength, 120);
  // Texts are reassembled from tokens: one blank per whitespace byte,
  // references decoded.
  EXPECT_EQ(program_.JSPageTitleSign, "PageTitle =");
  EXPECT_EQ(program_.JSPageDescSign, "Page&Desc");
  EXPECT_EQ(program_.ExtensionsText, "html,  htm;txt");
  EXPECT_EQ(program_.ExtensionList, (Strings{"html", "htm", "txt"}));
  EXPECT_EQ(program_.StopDirList, (Strings{"cgi-bin", "_vti"}));
  EXPECT_EQ(program_.ByteLimit, 65536);
  EXPECT_TRUE(program_.UTF8ModeFlag);
  EXPECT_TRUE(program_.ProgrammingLanguageMode);
  EXPECT_FALSE(program_.FileNameCaptionMode);  // only 1 is on
}

TEST_F(SettingsFilesTest, AbsentKeysKeepDefaultsAndProgramWideValues) {
  program_.UTF8ModeFlag = true;
  program_.JSPageTitleSign = "kept";
  ASSERT_TRUE(LoadSettings(WriteSet("<settings><KeysCount value=\"4\"/></settings>"), settings_,
                           program_));
  EXPECT_EQ(settings_.KeysCount, 4);
  EXPECT_EQ(settings_.DescOffset, 35);
  EXPECT_EQ(settings_.DescLength, 300);
  EXPECT_DOUBLE_EQ(settings_.TagWeight, 0.0);
  EXPECT_EQ(program_.ByteLimit, 100000);
  EXPECT_TRUE(program_.UTF8ModeFlag);
  EXPECT_EQ(program_.JSPageTitleSign, "kept");
  EXPECT_EQ(program_.ExtensionsText, kDefaultExtensions);
}

// The lenient scanner's readings of unusual layouts.
TEST_F(SettingsFilesTest, ScannerReadingsOfOddLayouts) {
  const struct {
    const char* body;  // inside <settings>
    int32_t keysCount;
    int32_t descOffset;
  } cases[] = {
      // Key names are compared exactly.
      {R"(<keyscount value="5"/><DescOffset value="7"/>)", 0, 7},
      // The first attribute must be value.
      {R"(<KeysCount name="x" value="5"/><DescOffset value="7"/>)", 0, 7},
      // No attribute: the next element's name is taken as the attribute and
      // that element is lost.
      {R"(<KeysCount/><DescOffset value="7"/><KeysCount value="9"/>)", 9, 35},
      // Comments are not recognised.
      {R"(<!-- <KeysCount value="5"/> -->)", 5, 35},
      // Single quotes are no quotes: the value runs from the next double quote.
      {R"(<KeysCount value='5'/><DescOffset value="7"/>)", 7, 35},
      // Malformed numbers.
      {R"(<KeysCount value="-8x"/><DescOffset value=" 0x10"/>)", 8, 16},
      // End tags are ignored; a later element wins.
      {R"(<KeysCount value="5"></KeysCount><KeysCount value="6"/>)", 6, 35},
      // Whitespace around "=" is allowed.
      {"<KeysCount\n value = \"5\" />", 5, 35},
  };
  for (const auto& c : cases) {
    RatingSettings settings;
    ProgramSettings program;
    EXPECT_TRUE(LoadSettings(WriteSet(std::string("<settings>") + c.body + "</settings>"),
                             settings, program))
        << c.body;
    EXPECT_EQ(settings.KeysCount, c.keysCount) << c.body;
    EXPECT_EQ(settings.DescOffset, c.descOffset) << c.body;
  }
}

TEST_F(SettingsFilesTest, FailurePointsKeepWhatWasRead) {
  const std::string goodTags = "<tags><title rating=\"50\"/></tags>";
  const std::string goodWords = "<words><group rating=\"-1\">the</group></words>";
  const struct {
    std::string set, tags, words;
    bool tagsRead, wordsRead;
    int32_t keysCount;
  } cases[] = {
      {"", goodTags, goodWords, false, false, 0},
      {"<KeysCount value=\"5\"/>", goodTags, goodWords, false, false, 0},
      {"<settings><KeysCount value=\"5\"/><DescOffset", goodTags, goodWords, false, false, 5},
      {"<settings><KeysCount value=\"5\"/><DescOffset value", goodTags, goodWords, false, false, 5},
      {"<settings><KeysCount value=\"5\"/><DescOffset value=\"1", goodTags, goodWords, false, false,
       5},
      {"<settings><KeysCount value=\"5\"/>", "<tags><title rating=\"5", goodWords, true, false, 5},
      {"<settings><KeysCount value=\"5\"/>", "<tag/>", goodWords, false, false, 5},
      {"<settings><KeysCount value=\"5\"/>", goodTags, "<words><group rating=\"1\"", true, true, 5},
      {"<settings><KeysCount value=\"5\"/>", goodTags, "<WORDS><group>", true, true, 5},
  };
  for (const auto& c : cases) {
    RatingSettings settings;
    ProgramSettings program;
    program.ExtensionsText = "x";
    EXPECT_FALSE(LoadSettings(Write(c.set, c.tags, c.words), settings, program)) << c.set;
    EXPECT_EQ(settings.KeysCount, c.keysCount) << c.set;
    EXPECT_EQ(settings.DescOffset, 35) << c.set;
    EXPECT_EQ(!settings.TagRatings.empty(), c.tagsRead) << c.tags;
    EXPECT_EQ(!settings.WordGroups.empty(), c.wordsRead) << c.words;
    EXPECT_TRUE(program.ExtensionList.empty()) << "lists are not rebuilt";
  }
  // A missing file fails like an empty one.
  RatingSettings settings;
  EXPECT_FALSE(LoadSettings({folder_ / "none.xml", folder_ / "none.xml", folder_ / "none.xml"},
                            settings, program_));
  EXPECT_EQ(settings.DescLength, 300);
}

TEST_F(SettingsFilesTest, ReadsTagRatings) {
  const auto files = Write("<settings></settings>", R"(<?xml version="1.0"?>
<TAGS>
  <title rating="500"/>
  <h1 rating = "-20" />
  <Title rating="9"/>
  <script rating="-1000"></script>
  <b class="x" rating="70"/>
  <p/>
  <em rating="60"/>
  <i rating="1x5"/>
  <u rating="'7'"/>
  <s rating=""/>
</TAGS>)",
                           "<words></words>");
  ASSERT_TRUE(LoadSettings(files, settings_, program_));
  std::vector<std::pair<std::string, int32_t>> got;
  for (const TTagRating& t : settings_.TagRatings) got.emplace_back(t.Tag, t.Rating);
  // "p" has no attribute: "em" is taken as its attribute and is not listed.
  const std::vector<std::pair<std::string, int32_t>> expected = {
      {"title", 500}, {"h1", -20}, {"Title", 9}, {"script", -1000}, {"b", 0},
      {"p", 0},       {"i", 1},    {"u", 7},     {"s", 0}};
  EXPECT_EQ(got, expected);
  ASSERT_NE(settings_.FindTag("title"), nullptr);
  EXPECT_EQ(settings_.FindTag("title")->Rating, 500);
  EXPECT_EQ(settings_.FindTag("Title")->Rating, 9);
  EXPECT_EQ(settings_.FindTag("em"), nullptr);
  EXPECT_EQ(settings_.FindTag("TITLE"), nullptr);
}

TEST_F(SettingsFilesTest, ReadsWordGroups) {
  const auto files = Write("<settings></settings>", "<tags></tags>", R"(<words>
<group rating="-100">the a
  an   Of</group>
<GROUP rating="50">c++ don't 2008 x-ray</GROUP>
<group>plain</group>
<group rating="5">hidden</group>
<group rating="7">last</group>
</words>)");
  ASSERT_TRUE(LoadSettings(files, settings_, program_));
  ASSERT_EQ(settings_.WordGroups.size(), 4u);
  // The end tag's name is one of the words; numbers are not words.
  EXPECT_EQ(settings_.WordGroups[0].Words, " the a an Of group ");
  EXPECT_EQ(settings_.WordGroups[0].Rating, -100);
  EXPECT_EQ(settings_.WordGroups[1].Words, " c++ dont x-ray GROUP ");
  EXPECT_EQ(settings_.WordGroups[1].Rating, 50);
  // A group without an attribute takes its first word for one, and its words
  // run on into the next group's start tag, which is lost with its words.
  EXPECT_EQ(settings_.WordGroups[2].Words, " group rating ");
  EXPECT_EQ(settings_.WordGroups[2].Rating, 0);
  EXPECT_EQ(settings_.WordGroups[3].Words, " last group ");
  EXPECT_EQ(settings_.WordGroups[3].Rating, 7);

  const WordGroupMatch the = settings_.FindInGroups("the");
  EXPECT_TRUE(the.InAnyGroup);
  EXPECT_EQ(the.MinRating, -100);
  const WordGroupMatch group = settings_.FindInGroups("group");
  EXPECT_EQ(group.MinRating, -100);
  EXPECT_EQ(group.LastRating, 7);
  EXPECT_FALSE(settings_.FindInGroups("of").InAnyGroup);  // capitals never match
  EXPECT_FALSE(settings_.FindInGroups("an of").InAnyGroup);
  EXPECT_TRUE(settings_.FindInGroups("a an").InAnyGroup);  // a phrase of neighbours
  EXPECT_FALSE(settings_.FindInGroups("th").InAnyGroup);
}

TEST_F(SettingsFilesTest, WordsTakeTheStoredFormInUtf8Mode) {
  CodePageGuard cp("windows-1252");
  program_.UTF8ModeFlag = true;
  ASSERT_TRUE(LoadSettings(
      Write("<settings></settings>", "<tags></tags>", "<words><group rating=\"1\">caf\xE9</group></words>"),
      settings_, program_));
  EXPECT_EQ(settings_.WordGroups[0].Words, " caf\xC3\xA9 group ");
  program_.UTF8ModeFlag = false;
  ASSERT_TRUE(LoadSettings(
      Write("<settings></settings>", "<tags></tags>", "<words><group rating=\"1\">caf\xE9</group></words>"),
      settings_, program_));
  EXPECT_EQ(settings_.WordGroups[0].Words, " caf\xE9 group ");
}

TEST_F(SettingsFilesTest, ChoosesProjectFilesElseProgramFiles) {
  TempFolder program;
  SetProgramFolderOverride(program.path());
  folder_.Write("tags.xml", "<tags></tags>");
  const SettingsFiles files = ChooseSettingsFiles(folder_.path());
  EXPECT_EQ(files.Set, program / "set.xml");
  EXPECT_EQ(files.Tags, folder_ / "tags.xml");
  EXPECT_EQ(files.Words, program / "words.xml");
  // Without a trailing separator, and with no project folder at all.
  EXPECT_EQ(ChooseSettingsFiles(folder_.path().substr(0, folder_.path().size() - 1)).Tags,
            folder_ / "tags.xml");
  EXPECT_EQ(ChooseSettingsFiles("").Tags, program / "tags.xml");

  // ReloadSettings affects only the program-wide values and lists.
  program.Write("set.xml", "<settings><UTF8Mode value=\"1\"/><StopDirs value=\"tmp\"/></settings>");
  program.Write("words.xml", "<words/>");
  ProgramSettings values;
  ReloadSettings(values, folder_.path());
  EXPECT_TRUE(values.UTF8ModeFlag);
  EXPECT_EQ(values.StopDirList, (Strings{"tmp"}));
  // A project whose set.xml lacks the key keeps UTF-8 mode on.
  folder_.Write("set.xml", "<settings><StopDirs value=\"a b\"/></settings>");
  ReloadSettings(values, folder_.path());
  EXPECT_TRUE(values.UTF8ModeFlag);
  EXPECT_EQ(values.StopDirList, (Strings{"a", "b"}));
  SetProgramFolderOverride("");
}

// Loads reuse parsed files only while their bytes are the same: an edit of
// the same size with the old modification time still takes effect.
TEST_F(SettingsFilesTest, EditsBetweenLoadsTakeEffect) {
  const auto files = Write("<settings><KeysCount value=\"5\"/></settings>",
                           "<tags><h1 rating=\"10\"/></tags>",
                           "<words><group rating=\"-1\">the</group></words>");
  ASSERT_TRUE(LoadSettings(files, settings_, program_));
  EXPECT_EQ(settings_.KeysCount, 5);
  const auto stamp = std::filesystem::last_write_time(files.Set);
  folder_.Write("set.xml", "<settings><KeysCount value=\"6\"/></settings>");
  folder_.Write("tags.xml", "<tags><h2 rating=\"10\"/></tags>");
  folder_.Write("words.xml", "<words><group rating=\"-1\">and</group></words>");
  for (const std::string& path : {files.Set, files.Tags, files.Words}) {
    std::filesystem::last_write_time(path, stamp);
  }
  RatingSettings again;
  ASSERT_TRUE(LoadSettings(files, again, program_));
  EXPECT_EQ(again.KeysCount, 6);
  EXPECT_EQ(again.FindTag("h1"), nullptr);
  ASSERT_NE(again.FindTag("h2"), nullptr);
  EXPECT_FALSE(again.FindInGroups("the").InAnyGroup);
  EXPECT_TRUE(again.FindInGroups("and").InAnyGroup);
  // A replayed load gives what a fresh one gives, program-wide values too.
  program_.UTF8ModeFlag = false;
  folder_.Write("set.xml", "<settings><UTF8Mode value=\"1\"/></settings>");
  ASSERT_TRUE(LoadSettings(files, again, program_));
  program_.UTF8ModeFlag = false;
  RatingSettings third;
  ASSERT_TRUE(LoadSettings(files, third, program_));
  EXPECT_TRUE(program_.UTF8ModeFlag);
  EXPECT_EQ(third.KeysCount, 0);
  EXPECT_TRUE(third.FindInGroups("and").InAnyGroup);
  // A file that disappears is missing at the next load.
  std::filesystem::remove(files.Tags);
  EXPECT_FALSE(LoadSettings(files, again, program_));
  EXPECT_TRUE(again.TagRatings.empty());
  EXPECT_TRUE(again.WordGroups.empty());
  EXPECT_FALSE(again.FindInGroups("and").InAnyGroup);
}

// Files whose times have settled are not read again while their status is
// the same; an edit changes the change time, so a same-size edit with the old
// modification time still takes effect at the next load.
TEST_F(SettingsFilesTest, SettledFilesAreKnownByTheirStatus) {
  program_.Cache = std::make_shared<SettingsCache>(std::chrono::nanoseconds(0));
  const auto files = Write("<settings><KeysCount value=\"5\"/></settings>",
                           "<tags><h1 rating=\"10\"/></tags>",
                           "<words><group rating=\"-1\">the</group></words>");
  ASSERT_TRUE(LoadSettings(files, settings_, program_));
  ASSERT_TRUE(LoadSettings(files, settings_, program_));  // replayed from the status
  EXPECT_EQ(settings_.KeysCount, 5);
  // Past the change-time tick of the file system.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto stamp = std::filesystem::last_write_time(files.Set);
  folder_.Write("set.xml", "<settings><KeysCount value=\"6\"/></settings>");
  folder_.Write("words.xml", "<words><group rating=\"-1\">and</group></words>");
  std::filesystem::last_write_time(files.Set, stamp);
  std::filesystem::last_write_time(files.Words, stamp);
  RatingSettings again;
  ASSERT_TRUE(LoadSettings(files, again, program_));
  EXPECT_EQ(again.KeysCount, 6);
  ASSERT_NE(again.FindTag("h1"), nullptr);
  EXPECT_TRUE(again.FindInGroups("and").InAnyGroup);
  // A file replaced by another of the same size is read again too.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::string replacement = folder_.Write("other.xml", "<tags><h2 rating=\"10\"/></tags>");
  std::filesystem::rename(replacement, files.Tags);
  RatingSettings third;
  ASSERT_TRUE(LoadSettings(files, third, program_));
  EXPECT_EQ(third.FindTag("h1"), nullptr);
  EXPECT_NE(third.FindTag("h2"), nullptr);
}

// The index answers as the substring rule does, for words and phrases.
TEST(WordGroupIndex, AgreesWithTheSubstringRule) {
  std::mt19937 random(7);
  const char* pieces[] = {"a", "b", "ab", "the", "x-y", "", "&foo", "c++"};
  auto pick = [&] { return std::string(pieces[random() % std::size(pieces)]); };
  for (int round = 0; round < 50; ++round) {
    RatingSettings settings;
    const int groups = 1 + static_cast<int>(random() % 5);
    for (int g = 0; g < groups; ++g) {
      TWordsRating group;
      group.Rating = static_cast<int32_t>(random() % 7) - 3;
      const int words = static_cast<int>(random() % 6);
      for (int w = 0; w < words; ++w) group.Words += pick() + " ";
      if (random() % 4 == 0) group.Words.erase(0, 1);  // hand-made, no leading blank
      settings.WordGroups.push_back(group);
    }
    std::vector<std::string> queries;
    for (int q = 0; q < 20; ++q) {
      std::string query = pick();
      const int more = static_cast<int>(random() % 3);
      for (int m = 0; m < more; ++m) query += " " + pick();
      queries.push_back(query);
    }
    std::vector<WordGroupMatch> scanned;
    for (const auto& q : queries) scanned.push_back(settings.FindInGroups(q));
    settings.IndexTables();
    for (size_t i = 0; i < queries.size(); ++i) {
      const WordGroupMatch indexed = settings.FindInGroups(queries[i]);
      EXPECT_EQ(indexed.InAnyGroup, scanned[i].InAnyGroup) << "'" << queries[i] << "'";
      if (indexed.InAnyGroup && scanned[i].InAnyGroup) {
        EXPECT_EQ(indexed.MinRating, scanned[i].MinRating) << queries[i];
        EXPECT_EQ(indexed.LastRating, scanned[i].LastRating) << queries[i];
      }
    }
  }
}

// Damaged settings files: every prefix of a good file, binary noise and a
// very large file all end in bounded time without a crash.
TEST_F(SettingsFilesTest, DamagedFilesEndQuietly) {
  const std::string set = kFullSet;
  const std::string tags = "<tags><title rating=\"50\"/><h1 rating=\"40\"/></tags>";
  const std::string words = "<words><group rating=\"-1\">the a</group><group>x</group></words>";
  const SettingsFiles files = Write(set, tags, words);
  for (size_t n = 0; n <= set.size(); n += 7) {
    RatingSettings settings;
    ProgramSettings program;
    folder_.Write("set.xml", set.substr(0, n));
    LoadSettings(files, settings, program);
  }
  folder_.Write("set.xml", set);
  for (size_t n = 0; n <= words.size(); ++n) {
    RatingSettings settings;
    ProgramSettings program;
    folder_.Write("tags.xml", tags.substr(0, n % (tags.size() + 1)));
    folder_.Write("words.xml", words.substr(0, n));
    LoadSettings(files, settings, program);
  }
  std::mt19937 random(3);
  std::string noise(1 << 16, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  LoadSettings(Write(noise, noise, noise), settings_, program_);

  // A 16 MB words.xml of one group.
  std::string big = "<words><group rating=\"-5\">";
  big.reserve(16u << 20);
  while (big.size() < (16u << 20)) big += "word another ";
  big += "</group></words>";
  ASSERT_TRUE(LoadSettings(Write(set, tags, big), settings_, program_));
  ASSERT_EQ(settings_.WordGroups.size(), 1u);
  EXPECT_TRUE(settings_.FindInGroups("another").InAnyGroup);
}

}  // namespace
}  // namespace qm
