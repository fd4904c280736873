#include "indexing/Ratings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "code_page_guard.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::CodePageGuard;
using test::TempFolder;
using Strings = std::vector<std::string>;

// The weights of the worked example of the rating, in hundredths as written
// in set.xml.
void UseExampleWeights(RatingSettings& s) {
  s.WordPositionWeight = 1.0;
  s.BeginOfFile = 1.0;
  s.EndOfFile = 0.5;
  s.WordCaseWeight = 0.5;
  s.YyyRating = 1.5;
  s.zzzRating = 1.0;
  s.TagWeight = 1.0;
  s.CountWeight = 0.1;
  s.FileNameWeight = 2.0;
  s.ExistingWeight = 0.0;
  s.KeysCount = 10;
  s.DescOffset = 35;
  s.DescLength = 300;
  s.TagRatings = {{"title", 50}};
  s.IndexTables();
}

Strings WordsOf(const TRating& rating) {
  Strings words;
  for (const TWordRecord& record : rating.Words()) words.push_back(record.Word);
  return words;
}

const TWordRecord* Find(const TRating& rating, std::string_view word) {
  for (const TWordRecord& record : rating.Words()) {
    if (record.Word == word) return &record;
  }
  return nullptr;
}

class RatingTest : public ::testing::Test {
 protected:
  RatingTest() : rating_(program_) { UseExampleWeights(rating_.EditSettings()); }

  RatingSettings& Settings() { return rating_.EditSettings(); }

  // Rates `page` (written as a file) as the file `name`; returns the body
  // description.
  std::string Rate(std::string_view page, std::string_view name = "page.htm",
                   std::string_view charset = {}) {
    const std::string path = folder_.Write("page.bin", page);
    std::string description;
    rating_.RateFile(path, folder_ / name, description, charset);
    return description;
  }

  TempFolder folder_;
  ProgramSettings program_;
  TRating rating_;
};

// ----------------------------------------------------------- worked example

TEST_F(RatingTest, WorkedExampleOccurrenceRatings) {
  rating_.SetFileSize(1000);
  rating_.PushTag("html");
  rating_.PushTag("head");
  rating_.PushTag("title");
  EXPECT_DOUBLE_EQ(rating_.RateOccurrence("Search", 100), 0.95 + 0.75 + 0.5);
  rating_.PopTag("html");
  EXPECT_DOUBLE_EQ(rating_.RateOccurrence("search", 600), 0.7 + 0.5);
}

TEST_F(RatingTest, WorkedExampleAsAPage) {
  // "Search" ends at byte 100 inside html, head and title; "search" ends at
  // byte 600 in the body; the page is 1000 bytes; the file name adds two
  // words met nowhere else.
  std::string page = "<html><head><title a=\"" + std::string(70, 'x') + "\">Search";
  ASSERT_EQ(page.size(), 100u);
  page += "</title></head><body>";
  page += std::string(600 - 6 - page.size(), ' ') + "search";
  ASSERT_EQ(page.size(), 600u);
  const std::string tail = "</body></html>";
  page += std::string(1000 - tail.size() - page.size(), ' ') + tail;
  ASSERT_EQ(page.size(), 1000u);

  Rate(page, "unique.htm");
  ASSERT_EQ(WordsOf(rating_), (Strings{"search", "unique", "htm"}));
  const TWordRecord& search = rating_.Words()[0];
  EXPECT_EQ(search.Count, 2);
  EXPECT_EQ(search.Position, 100);
  EXPECT_NEAR(search.Rating, 2.2, 1e-12);
  EXPECT_NEAR(search.Total, 2.4, 1e-12);
  const TWordRecord& unique = rating_.Words()[1];
  EXPECT_EQ(unique.Position, -1);
  EXPECT_EQ(unique.Rating, -1.0);
  EXPECT_NEAR(unique.Total, 2.1, 1e-12);
}

// ----------------------------------------------------------- occurrence terms

TEST_F(RatingTest, CaseClassesOfWords) {
  RatingSettings& s = Settings();
  s.WordPositionWeight = 0;
  s.WordCaseWeight = 1.0;
  s.DigitRating = 1;
  s.CodeRating = 2;
  s.XXXRating = 3;
  s.YyyRating = 4;
  s.zzzRating = 5;
  rating_.SetFileSize(100);
  const struct {
    const char* word;
    double rating;
  } cases[] = {
      {"2008", 1}, {"3d", 1},     {"mp3", 2},    {"x-509", 2}, {"HTML", 3},  {"E-MAIL", 3},
      {"-", 3},    {"Html", 4},   {"e-mail", 4}, {"html", 5},  {"c++", 4},   {"C++", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(rating_.RateOccurrence(c.word, 0), c.rating) << c.word;
}

TEST_F(RatingTest, CaseClassFollowsTheCodePage) {
  RatingSettings& s = Settings();
  s.WordPositionWeight = 0;
  s.WordCaseWeight = 1.0;
  s.XXXRating = 3;
  s.YyyRating = 4;
  s.zzzRating = 5;
  // UTF-8 code page: bytes of 0x80 and above never change case.
  EXPECT_EQ(rating_.RateOccurrence("caf\xC3\xA9", 0), 4);
  EXPECT_EQ(rating_.RateOccurrence("\xC3\xA9t\xC3\xA9", 0), 4);
  {
    CodePageGuard windows1252("windows-1252");
    EXPECT_EQ(rating_.RateOccurrence("caf\xE9", 0), 5);
    EXPECT_EQ(rating_.RateOccurrence("CAF\xC9", 0), 3);
  }
}

TEST_F(RatingTest, PositionTermFallsAlongTheFileAndSurvivesAnEmptyFile) {
  rating_.SetFileSize(0);
  // Case term 0.5 * 1.0 for a lower-case word, no element open.
  EXPECT_DOUBLE_EQ(rating_.RateOccurrence("word", 5), 1.0 + 0.5);
  EXPECT_DOUBLE_EQ(rating_.RateOccurrence("word", -1), 1.0 + 0.5);
  rating_.SetFileSize(4000000000u);  // held unsigned
  EXPECT_DOUBLE_EQ(rating_.RateOccurrence("word", 2000000000), 0.75 + 0.5);
}

// ----------------------------------------------------------- element stack

TEST_F(RatingTest, ElementStackAndSuppression) {
  RatingSettings& s = Settings();
  s.TagsMinimalRating = 0;
  s.TagRatings = {{"h1", 200}, {"script", -100}, {"h1", 900}};
  s.IndexTables();

  rating_.PushTag("div");  // not listed: rating 0, never suppresses
  rating_.PushTag("h1");   // the first entry counts
  EXPECT_EQ(rating_.OpenTags().back().Rating, 200);
  EXPECT_FALSE(rating_.Suppressed());
  rating_.PushTag("script");
  EXPECT_TRUE(rating_.OpenTags().back().BelowMinimum);
  EXPECT_TRUE(rating_.Suppressed());
  rating_.PopTag("script");
  EXPECT_FALSE(rating_.Suppressed());
  EXPECT_EQ(rating_.OpenTags().size(), 2u);

  // An end tag pops its element and everything above it.
  rating_.PushTag("b");
  rating_.PushTag("i");
  rating_.PopTag("h1");
  ASSERT_EQ(rating_.OpenTags().size(), 1u);
  EXPECT_EQ(rating_.OpenTags()[0].Tag, "div");

  // An end tag with no open element empties the stack and keeps the
  // suppression: the suppressing element's end is never found again.
  rating_.PushTag("script");
  rating_.PopTag("table");
  EXPECT_TRUE(rating_.OpenTags().empty());
  EXPECT_TRUE(rating_.Suppressed());
  rating_.PopTag("script");
  EXPECT_TRUE(rating_.Suppressed());
}

TEST_F(RatingTest, SuppressedWordsStillFeedTheDescription) {
  RatingSettings& s = Settings();
  s.TagsMinimalRating = 0;
  s.DescOffset = 1;
  s.TagRatings = {{"nav", -1}, {"br", -1}};
  s.IndexTables();
  const std::string description =
      Rate("<nav>menu</nav> one <br/> two <nav>hidden</a> three", "x");
  EXPECT_EQ(description, " menu one two hidden three");
  // "<br/>" closes itself; the unmatched "</a>" empties the stack and the
  // second nav's suppression lasts to the end. The file name's word (2.1)
  // leads.
  EXPECT_EQ(WordsOf(rating_), (Strings{"x", "one", "two"}));
}

// ----------------------------------------------------------- candidates

TEST_F(RatingTest, CountsKeepTheBestOccurrence) {
  rating_.SetFileSize(100);
  rating_.AddWord("word", 90);
  rating_.AddWord("Word", 10);
  rating_.AddWord("WORD", 50);
  rating_.AddWord("-", 5);
  ASSERT_EQ(rating_.Words().size(), 1u);
  const TWordRecord& record = rating_.Words()[0];
  EXPECT_EQ(record.Word, "word");
  EXPECT_EQ(record.Count, 3);
  EXPECT_EQ(record.Position, 90);
  EXPECT_DOUBLE_EQ(record.Rating, rating_.RateOccurrence("Word", 10));
}

TEST_F(RatingTest, BestOccurrenceOnGeneratedInput) {
  // Every record keeps the greatest RateOccurrence of its occurrences, as a
  // plain maximum over them gives it.
  RatingSettings& s = Settings();
  s.DigitRating = -2;
  s.CodeRating = 0.5;
  s.XXXRating = 1.2;
  s.TagRatings = {{"h1", 300}, {"b", 100}, {"nav", -50}};
  s.IndexTables();
  rating_.SetFileSize(5000);
  std::mt19937 random(3);
  const char* words[] = {"alpha", "Alpha", "ALPHA", "beta", "Beta", "x1", "1x", "e-mail", "E-MAIL"};
  const char* tags[] = {"h1", "b", "nav", "p"};
  std::map<std::string, double> best;
  for (int i = 0; i < 3000; ++i) {
    const int action = static_cast<int>(random() % 10);
    if (action == 0) {
      rating_.PushTag(tags[random() % 4]);
    } else if (action == 1) {
      rating_.PopTag(tags[random() % 4]);
    } else {
      const std::string word = words[random() % std::size(words)];
      const int32_t position = static_cast<int32_t>(random() % 5000);
      std::string lower = word;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const double rating = rating_.RateOccurrence(word, position);
      if (!rating_.Suppressed()) {
        const auto [at, fresh] = best.emplace(lower, rating);
        if (!fresh && rating > at->second) at->second = rating;
      }
      rating_.AddWord(word, position);
    }
  }
  ASSERT_EQ(rating_.Words().size(), best.size());
  for (const TWordRecord& record : rating_.Words()) EXPECT_EQ(record.Rating, best[record.Word]) << record.Word;
}

TEST_F(RatingTest, FileNameWords) {
  rating_.SetFileSize(100);
  rating_.AddWord("once", -1);
  rating_.AddWord("twice", -1);
  rating_.AddWord("twice", -1);
  rating_.ComputeTotals();
  const TWordRecord* once = Find(rating_, "once");
  ASSERT_NE(once, nullptr);
  EXPECT_DOUBLE_EQ(once->Total, 0.1 + 2.0);
  // The second occurrence is rated at position -1 and counts as a page word.
  const TWordRecord* twice = Find(rating_, "twice");
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice->Count, 2);
  EXPECT_DOUBLE_EQ(twice->Rating, rating_.RateOccurrence("twice", -1));
  EXPECT_DOUBLE_EQ(twice->Total, 0.2 + twice->Rating);
}

TEST_F(RatingTest, StopWordGroups) {
  RatingSettings& s = Settings();
  s.StopWordsMinimalRating = 0;
  s.ExistingWeight = 1.0;
  s.WordGroups = {{" the and of ", -10}, {" site search web ", 30}, {" web and ", 70}};
  s.IndexTables();
  rating_.SetFileSize(100);
  for (const char* word : {"The", "and", "web", "site", "search", "other", "Web"}) rating_.AddWord(word, 0);
  rating_.AddMetaKeyword("site search");  // spans two words of a group
  rating_.AddMetaKeyword("search web x");
  rating_.AddMetaKeyword("of");
  rating_.ComputeTotals();
  EXPECT_EQ(WordsOf(rating_), (Strings{"web", "site", "search", "other", "site search", "search web x"}));
  const double base = 0.1 + rating_.RateOccurrence("site", 0);
  EXPECT_DOUBLE_EQ(Find(rating_, "site")->Total, base + 0.3);
  EXPECT_DOUBLE_EQ(Find(rating_, "other")->Total, base);
  // The last group holding the word gives its term.
  EXPECT_DOUBLE_EQ(Find(rating_, "web")->Total, 0.2 + rating_.RateOccurrence("Web", 0) + 0.7);
  EXPECT_DOUBLE_EQ(Find(rating_, "site search")->Total,
                   0.1 + rating_.RateOccurrence("site search", 0) * 0.0 + 0.3);
}

TEST_F(RatingTest, MetaKeywords) {
  RatingSettings& s = Settings();
  s.KeywordRating = 2.0;
  rating_.SetFileSize(100);
  rating_.AddWord("page", 50);
  rating_.AddMetaKeyword("Page");
  rating_.AddMetaKeyword("fresh");
  const TWordRecord* page = Find(rating_, "page");
  // KeywordRating (2.0) exceeds the page rating, so the keyword's rating
  // replaces it.
  EXPECT_EQ(page->Count, 2);
  EXPECT_DOUBLE_EQ(page->Rating, rating_.RateOccurrence("Page", 0) * 2.0);
  const TWordRecord* fresh = Find(rating_, "fresh");
  EXPECT_EQ(fresh->Position, 0);
  EXPECT_DOUBLE_EQ(fresh->Rating, rating_.RateOccurrence("fresh", 0) * 2.0);

  s.KeywordRating = 0.5;
  rating_.AddWord("low", 0);
  const double before = Find(rating_, "low")->Rating;
  rating_.AddMetaKeyword("low");
  EXPECT_EQ(Find(rating_, "low")->Rating, before);
}

TEST_F(RatingTest, TokensFromALogRateAsTheSource) {
  Settings().DescOffset = 2;
  Settings().KeysCount = 50;
  program_.ByteLimit = 400;
  std::string longPage;
  while (longPage.size() < 2000) longPage += "<p>more <b>words</b> here</p> ";
  const std::string pages[] = {
      "<title>T</title><h1>Head line</h1><p>body text, 2008. more</p>",
      "a <!-- qmknoindex --> hidden <!-- qmkindex --> shown <br/> x&amp;y word-",
      longPage,
      "<p " + std::string(600, 'a') + "> after",
      "",
  };
  auto rate = [&](const std::string& page, size_t logLimit, bool useLog) {
    HtmlSource source;
    source.OpenBytes(page);
    TokenLog log;
    if (useLog) {
      source.SetTokenLog(&log, logLimit);
      std::string text;
      while (source.NextToken(text) != TokenKind::End) {
      }
      source.SetTokenLog(nullptr, 0);
    }
    std::string description = "kept";
    rating_.RateSource(source, folder_ / "f.htm", description, {}, useLog ? &log : nullptr);
    std::vector<std::string> seen{description};
    for (const TWordRecord& r : rating_.Words()) {
      seen.push_back(r.Word + " " + std::to_string(r.Count) + " " + std::to_string(r.Position) + " " +
                     std::to_string(r.Rating) + " " + std::to_string(r.Total));
    }
    return seen;
  };
  for (const std::string& page : pages) {
    const auto expected = rate(page, 0, false);
    EXPECT_EQ(rate(page, 1 << 20, true), expected) << page.substr(0, 40);
    // A log cut short: the rating reads the source again.
    EXPECT_EQ(rate(page, 30, true), expected) << page.substr(0, 40);
    // Cut short beyond the byte limit: the log is enough.
    EXPECT_EQ(rate(page, 800, true), expected) << page.substr(0, 40);
  }
}

// ----------------------------------------------------------- sorting

// The selection sort as written: for each i, the first maximum of i..n-1 is
// exchanged into place.
std::vector<double> ReferenceOrder(std::vector<double> totals) {
  for (size_t i = 0; i < totals.size(); ++i) {
    size_t best = i;
    for (size_t j = i + 1; j < totals.size(); ++j) {
      if (totals[j] > totals[best]) best = j;
    }
    std::swap(totals[i], totals[best]);
  }
  return totals;
}

void LoadTotals(TRating& rating, const std::vector<double>& totals) {
  std::vector<TWordRecord>& words = rating.EditWords();
  words.clear();
  for (size_t i = 0; i < totals.size(); ++i) {
    TWordRecord record;
    record.Word = "w" + std::to_string(i);
    record.Total = totals[i];
    words.push_back(record);
  }
}

TEST_F(RatingTest, SortOrderOfTies) {
  // Ties are told apart by the words: w<i> was at index i before sorting.
  const struct {
    std::vector<double> totals;
    Strings order;
  } cases[] = {
      {{}, {}},
      {{1}, {"w0"}},
      {{1, 2, 3}, {"w2", "w1", "w0"}},
      {{2, 2, 2}, {"w0", "w1", "w2"}},
      // The exchange moves w0 behind w1: selection sort is not stable.
      {{1, 1, 3, 1}, {"w2", "w1", "w0", "w3"}},
      {{1, 3, 1, 1}, {"w1", "w0", "w2", "w3"}},
      {{1, 1, 3}, {"w2", "w1", "w0"}},
      {{2, 1, 2, 3, 2}, {"w3", "w2", "w0", "w4", "w1"}},
  };
  for (const auto& c : cases) {
    LoadTotals(rating_, c.totals);
    rating_.SortWords();
    EXPECT_EQ(WordsOf(rating_), c.order);
  }
}

TEST_F(RatingTest, SortMatchesTheSelectionSortOnGeneratedTotals) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const size_t n = random() % 60;
    std::vector<double> totals(n);
    for (double& total : totals) total = static_cast<double>(random() % 5) / 4;
    LoadTotals(rating_, totals);
    std::vector<std::string> expected;
    {
      // Sort (total, word) pairs as the reference does.
      std::vector<std::pair<double, std::string>> items;
      for (size_t i = 0; i < n; ++i) items.emplace_back(totals[i], "w" + std::to_string(i));
      for (size_t i = 0; i < n; ++i) {
        size_t best = i;
        for (size_t j = i + 1; j < n; ++j) {
          if (items[j].first > items[best].first) best = j;
        }
        std::swap(items[i], items[best]);
      }
      for (const auto& item : items) expected.push_back(item.second);
    }
    const size_t keep = random() % 70;
    rating_.SortWords(keep);
    expected.resize(std::min(keep, n));
    ASSERT_EQ(WordsOf(rating_), expected) << "round " << round;
  }
  EXPECT_EQ(ReferenceOrder({1, 3, 2}), (std::vector<double>{3, 2, 1}));
}

TEST_F(RatingTest, KeysCountLimitsTheList) {
  std::string page;
  for (int i = 0; i < 50; ++i) page += "w" + std::to_string(i) + std::string(i % 3 + 1, 'x') + " ";
  Settings().KeysCount = 0;
  Rate(page);
  EXPECT_TRUE(rating_.Words().empty());

  Settings().KeysCount = 10;
  Rate(page);
  ASSERT_EQ(rating_.Words().size(), 10u);
  for (size_t i = 1; i < rating_.Words().size(); ++i) {
    EXPECT_GE(rating_.Words()[i - 1].Total, rating_.Words()[i].Total);
  }
  // The file name words "page" and "htm" (total 2.1) beat the page words.
  EXPECT_EQ(rating_.Words()[0].Word, "page");
  EXPECT_EQ(rating_.Words()[1].Word, "htm");
}

// ----------------------------------------------------------- the page

TEST_F(RatingTest, DescriptionFromTheBodyText) {
  Settings().DescOffset = 3;
  Settings().DescLength = 40;
  Settings().KeysCount = 100;
  const std::string description =
      Rate("<p>one, two. three 2008. four&amp;five \"six\" seven eight nine ten eleven twelve</p>");
  // Symbols and numbers before the third word are not taken; words come with
  // a blank before them, symbols without; the text stops growing once it is
  // 40 bytes long.
  EXPECT_EQ(description, " three 2008. four&five\" six\" seven eight");
  EXPECT_NE(Find(rating_, "2008"), nullptr);
  EXPECT_EQ(Find(rating_, "2008."), nullptr);
}

TEST(DescriptionTidy, RunsOfBlanks) {
  const struct {
    const char* text;
    const char* tidy;
  } cases[] = {
      {"a b", "a b"},           {"a  b", "a b"},        {"a   b", "a  b"},
      {"a    b", "a b"},        {"a     b", "a b"},      {"a       b", "a  b"},
      {"a        b", "a b"},    {"a          b", "a b"}, {"a           b", "a b"},
      {"  a  ", " a "},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    TidyDescription(text);
    EXPECT_EQ(text, c.tidy) << '"' << c.text << '"';
  }
}

TEST_F(RatingTest, KeywordsMetaElement) {
  Settings().KeywordRating = 1.0;
  Rate("<meta name=\"KEYWORDS\" content=\"Alpha, b, ,c,  site search , *star, &amp;x\">", "x");
  // "&amp;x" is taken raw and left out; "x" is the file name's. Ties of
  // "alpha" and "site search" (both Yyy) end as the selection leaves them.
  EXPECT_EQ(WordsOf(rating_), (Strings{"x", "site search", "alpha", "b", "c"}));
  for (const char* word : {"alpha", "b", "c", "site search"}) EXPECT_EQ(Find(rating_, word)->Position, 0);
}

TEST_F(RatingTest, FileNameGivesWords) {
  Rate("", "My_Page-one two.HTML");
  EXPECT_EQ(WordsOf(rating_), (Strings{"my", "page", "one", "two", "html"}));
}

TEST_F(RatingTest, NoIndexStretchesAreLeftOut) {
  Settings().DescOffset = 1;
  const std::string description = Rate(
      "before <!-- qmknoindex --> <h1>hidden</h1> <!-- other --> more <!--qmkindex rest--> after "
      "<!-QMKNOINDEX--> shown",
      "x");
  EXPECT_EQ(description, " before after shown");
  EXPECT_EQ(WordsOf(rating_), (Strings{"x", "before", "after", "shown"}));
  // The stretch still moves the position counter.
  EXPECT_GT(Find(rating_, "after")->Position, 60);
}

TEST_F(RatingTest, ElementsAndCommentsCountTowardsThePosition) {
  Rate("<b x=1>a</b><!--c-->d <?pi?>e <!DOCTYPE>f", "zz");
  // "<" "b" " " "x" "=" "1" ">" "a"
  EXPECT_EQ(Find(rating_, "a")->Position, 8);
  // "</" "b" ">", "<!-" counted twice, "-" "c" "-" "->" "d"
  EXPECT_EQ(Find(rating_, "d")->Position, 8 + 2 + 1 + 1 + 6 + 1 + 1 + 1 + 2 + 1);
  // " " "<?" "pi" "?" ">" "e"
  EXPECT_EQ(Find(rating_, "e")->Position, 24 + 1 + 2 + 2 + 1 + 1 + 1);
  // " " "<!" "DOCTYPE" ">" "f"
  EXPECT_EQ(Find(rating_, "f")->Position, 32 + 1 + 2 + 7 + 1 + 1);
  for (const char* inside : {"b", "x", "1", "c", "pi", "doctype"}) EXPECT_EQ(Find(rating_, inside), nullptr);
}

TEST_F(RatingTest, ByteLimit) {
  program_.ByteLimit = 1024;
  Settings().KeywordRating = 1.0;
  std::string page = "<meta name=\"keywords\" content=\"late\"> early ";
  page += std::string(2000, ' ') + " beyond";
  Rate(page, "named.txt");
  EXPECT_EQ(WordsOf(rating_), (Strings{"named", "txt", "late", "early"}));

  // The limit also ends the reading of one long element or comment.
  program_.ByteLimit = 100;
  Rate("<p " + std::string(5000, 'a') + "> gone", "y");
  EXPECT_EQ(WordsOf(rating_), (Strings{"y"}));
}

TEST_F(RatingTest, SignsAndMarkupNeverBeginACandidate) {
  program_.UTF8ModeFlag = true;
  // The references put the signs at the start of the words.
  Rate("&copy;Corp &trade;Brand plain &lt;tag &foo; \"q\"", "x", "utf-8");
  EXPECT_EQ(WordsOf(rating_), (Strings{"x", "plain", "q"}));
}

TEST_F(RatingTest, Windows1252CodePage) {
  CodePageGuard windows1252("windows-1252");
  // Outside UTF-8 mode words are kept in the code page and lower-cased by it.
  Rate("CAF\xC9 caf\xE9 na\xEFve", "x");
  EXPECT_EQ(WordsOf(rating_), (Strings{"x", "caf\xE9", "na\xEFve"}));
  EXPECT_EQ(Find(rating_, "caf\xE9")->Count, 2);

  // In UTF-8 mode they are stored in UTF-8, from the page's charset.
  program_.UTF8ModeFlag = true;
  Rate("CAF\xC9 \xA9sign", "x", "windows-1252");
  EXPECT_EQ(WordsOf(rating_), (Strings{"x", "caf\xC3\xA9"}));
}

}  // namespace
}  // namespace qm
