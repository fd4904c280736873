#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::TempFolder;

// A link as one line: cat|caption|url|desc|key,key.
std::string Describe(const TBaseRecord& link) {
  std::string out = std::to_string(link.Cat) + "|" + link.Caption + "|" + link.URL + "|" + link.Desc + "|";
  bool first = true;
  for (std::string_view key : link.Keys) {
    if (!first) out += ",";
    out += key;
    first = false;
  }
  return out;
}

// The category, caption and address of a described link.
std::string Head(const std::string& described) {
  size_t end = 0;
  for (int field = 0; field < 3; ++field) end = described.find('|', end) + 1;
  return described.substr(0, end);
}

struct Read {
  std::vector<std::string> categories;
  std::vector<std::string> links;
};

Read ReadAll(std::string_view file) {
  TCat cat;
  TBase base;
  ReadCategories(file, cat);
  ReadLinks(file, base, nullptr);
  Read read{cat.Items(), {}};
  for (const TBaseRecord& link : base.Items()) read.links.push_back(Describe(link));
  return read;
}

struct ReaderCase {
  const char* what;
  std::string file;
  std::vector<std::string> categories;
  std::vector<std::string> links;
};

using V = std::vector<std::string>;

TEST(DatabaseReader, ReadsTheArraysAsTheFormatSays) {
  const ReaderCase cases[] = {
      {"the empty database as written",
       "//v2format\r\nvar cg=new Array(\r\n''\r\n);\r\nvar ln=new Array(\r\n''\r\n);\r\n"
       "var ds=new Array(\r\n''\r\n);\r\nvar kw=new Array(\r\n'^^'\r\n);\r\n",
       V{}, V{"0||||"}},
      {"quote and backslash escaped", "var cg=new Array('It\\'s a \\\\ test')", V{"It's a \\ test"}, V{}},
      {"CR LF in a description gives one blank",
       "//v2format var ln=new Array('0^a^b') var ds=new Array('one\r\ntwo')", V{}, V{"0|a|b|one two|"}},
      {"keywords split at every separator, empty pieces dropped",
       "//v2format var ln=new Array('0^^') var kw=new Array('^^a^^b^')", V{}, V{"0||||a,b"}},
      {"further separators belong to the address",
       "//v2format var ln=new Array('3^Title^docs%2Fa^b.html')", V{}, V{"3|Title|docs%2Fa^b.html||"}},
      {"older files separate with +",
       "var ln=new Array('1+Old+page.html') var kw=new Array('+x++y+')", V{}, V{"1|Old|page.html||x,y"}},
      {"+ is text in the current format",
       "//v2format var ln=new Array('1+Old+page.html^C^u') var kw=new Array('^a+b^')", V{},
       V{"0|C|u||a+b"}},
      {"the format mark counts anywhere in the file",
       "var ln=new Array('2^a^b') //DatabaseEnd //v2format", V{}, V{"2|a|b||"}},
      {"opening texts in capitals", "VAR CG=NEW ARRAY('a','b') Var Ln=New Array('0+x+y')", V{"a", "b"},
       V{"0|x|y||"}},
      {"a blank before the comma ends the array", "var cg=new Array('a' ,'b')", V{"a"}, V{}},
      {"blanks around the equals sign are not the opening", "var cg = new Array('a')", V{}, V{}},
      {"line breaks and blanks may stand between elements",
       "var cg=new Array(\r\n  'a',\r\n\r\n\t  'b'\r\n)", V{"a", "b"}, V{}},
      {"an empty category ends the list", "var cg=new Array('a','','b')", V{"a"}, V{}},
      {"arrays in another order",
       "//v2format var kw=new Array('^k1^','^k2^') var ds=new Array('d1','d2') "
       "var ln=new Array('1^c1^u1','2^c2^u2') var cg=new Array('x')",
       V{"x"}, V{"1|c1|u1|d1|k1", "2|c2|u2|d2|k2"}},
      {"only the first of each array counts",
       "var cg=new Array('first') var cg=new Array('second')", V{"first"}, V{}},
      {"ds and kw longer than ln are cut to the links",
       "//v2format var ln=new Array('0^a^b') var ds=new Array('d','extra','more') "
       "var kw=new Array('^k^','^x^','^y^')",
       V{}, V{"0|a|b|d|k"}},
      {"ds and kw shorter than ln leave the rest empty",
       "//v2format var ln=new Array('0^a^','0^b^') var ds=new Array('d') var kw=new Array('^k^')", V{},
       V{"0|a||d|k", "0|b|||"}},
      {"ds and kw without ln give no links",
       "var ds=new Array('d') var kw=new Array('^k^') var cg=new Array('c')", V{"c"}, V{}},
      {"an ln element without separators is the category only",
       "//v2format var ln=new Array('17','abc','','2^only caption')", V{},
       V{"17||||", "0||||", "0||||", "2|only caption|||"}},
      {"a category that is not a decimal number gives 0",
       "//v2format var ln=new Array('x^a^b',' 5 ^a^b','-3^a^b','99999999999^a^b','+5^a^b','5x^a^b')",
       V{}, V{"0|a|b||", "5|a|b||", "-3|a|b||", "0|a|b||", "0|a|b||", "0|a|b||"}},
      {"an unbalanced quote swallows the line break and ends the list",
       "var cg=new Array(\r\n'One,\r\n'Two'\r\n);", V{"One, "}, V{}},
      {"a missing closing quote runs to the end of the file", "var cg=new Array('abc", V{"abc"}, V{}},
      {"a backslash takes the next byte whatever it is",
       "var cg=new Array('a\\qb','c\\\\','d\\\re')", V{"aqb", "c\\", "d\re"}, V{}},
      {"an escaped closing quote does not close", "var cg=new Array('a\\',b')", V{"a',b"}, V{}},
      {"a backslash at the very end", "var cg=new Array('a\\", V{"a"}, V{}},
      {"double quotes are not element quotes", "var cg=new Array(\"a\",\"b\")", V{}, V{}},
      {"a file ending after the opening text has no elements", "var ln=new Array(", V{}, V{}},
      {"a file ending after a comma has no further element",
       "//v2format var ln=new Array('0^a^b',\r\n", V{}, V{"0|a|b||"}},
      {"a lone LF gives nothing, a lone CR a blank", "var cg=new Array('a\nb\rc')", V{"ab c"}, V{}},
  };
  for (const ReaderCase& c : cases) {
    const Read read = ReadAll(c.file);
    EXPECT_EQ(read.categories, c.categories) << c.what;
    EXPECT_EQ(read.links, c.links) << c.what;
  }
}

TEST(DatabaseReader, AppendsAfterTheLinksAlreadyHeldAndKeepsCurrent) {
  TBase base;
  TBaseRecord old;
  old.Caption = "old";
  old.Desc = "kept";
  base.Add(old);
  base.Add(old);
  base.SetCurrent(0);
  test::ScriptedInteraction ui;
  ReadLinks("//v2format var ln=new Array('7^a^u1','7^b^u2','7^c^u3') var ds=new Array('d1','d2','d3') "
            "var kw=new Array('^k1^','^k2^','^k3^')",
            base, &ui);
  ASSERT_EQ(base.Count(), 5);
  EXPECT_EQ(Describe(base.Get(1)), "0|old||kept|");
  EXPECT_EQ(Describe(base.Get(2)), "7|a|u1|d1|k1");
  EXPECT_EQ(Describe(base.Get(4)), "7|c|u3|d3|k3");
  EXPECT_EQ(base.Current(), 0);
  // Pending events are handled between keyword elements.
  EXPECT_EQ(ui.processEventsCalls, 2);
}

// Views of the first bytes of a file, in heap blocks of exactly that size,
// so that a read past the end trips the address sanitizer or valgrind.
class ExactBuffer {
 public:
  explicit ExactBuffer(std::string_view bytes) : size_(bytes.size()), data_(new char[bytes.size()]) {
    std::copy(bytes.begin(), bytes.end(), data_.get());
  }
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  size_t size_;
  std::unique_ptr<char[]> data_;
};

const char kSample[] =
    "var qmkVersion=1;\r\n//Settings\r\n//v2format\r\n//DatabaseBegin\r\nvar cg=new Array(\r\n"
    "'All Categories',\r\n'Guides \\'n\\' \\\\ tips'\r\n);\r\nvar ln=new Array(\r\n"
    "'0^Welcome^index.html',\r\n'1^Getting started^docs%2Fstart.html',\r\n'-2^^'\r\n);\r\n"
    "var ds=new Array(\r\n'The home page.',\r\n'How to begin.',\r\n''\r\n);\r\nvar kw=new Array(\r\n"
    "'^welcome^home^',\r\n'^start^guide^',\r\n'^^'\r\n);\r\n//DatabaseEnd\r\n";

TEST(DatabaseReader, ATruncatedFileGivesWhatWasReadUpToThatPoint) {
  const Read full = ReadAll(kSample);
  ASSERT_EQ(full.categories.size(), 2u);
  ASSERT_EQ(full.links.size(), 3u);
  const std::string sample = kSample;
  for (size_t cut = 0; cut <= sample.size(); ++cut) {
    const ExactBuffer buffer(std::string_view(sample).substr(0, cut));
    const Read read = ReadAll(buffer.view());
    ASSERT_LE(read.categories.size(), full.categories.size()) << cut;
    ASSERT_LE(read.links.size(), full.links.size()) << cut;
    // Every element but the one that was cut off is read as in the whole file.
    for (size_t i = 0; i + 1 < read.categories.size(); ++i) EXPECT_EQ(read.categories[i], full.categories[i]);
    for (size_t i = 0; i + 1 < read.links.size(); ++i) {
      // Its description and keywords may not have been reached yet.
      EXPECT_EQ(Head(read.links[i]), Head(full.links[i])) << "cut " << cut;
    }
  }
}

TEST(DatabaseReader, ElementsAreNotReadPastTheirEnd) {
  const std::string text = "//v2format var cg=new Array('abc','def') var ln=new Array('0^a^bcd')";
  // The view ends inside the second category; the bytes after it are there
  // in memory but are not the file's.
  const Read read = ReadAll(std::string_view(text).substr(0, text.find("def") + 2));
  EXPECT_EQ(read.categories, (V{"abc", "de"}));
  EXPECT_TRUE(read.links.empty());
  const Read links = ReadAll(std::string_view(text).substr(0, text.find("cd')")));
  EXPECT_EQ(links.links, (V{"0|a|b||"}));
}

TEST(DatabaseReader, RandomBytesNeverCrash) {
  std::mt19937 random(17);
  const std::string pieces[] = {"'",  "\\", ",",  "^",  "+",  "\r", "\n", " ", "a", "\xC3\xA9", "\xFF",
                                "var cg=new Array(", "var ln=new Array(", "var ds=new Array(",
                                "var kw=new Array(", "//v2format", "0^", "\0"};
  for (int round = 0; round < 3000; ++round) {
    std::string file;
    const int n = static_cast<int>(random() % 60);
    for (int i = 0; i < n; ++i) {
      if (random() % 4 == 0) {
        file.push_back(static_cast<char>(random()));
      } else {
        file += pieces[random() % std::size(pieces)];
      }
    }
    const ExactBuffer buffer(file);
    TCat cat;
    TBase base;
    ReadCategories(buffer.view(), cat);
    ReadLinks(buffer.view(), base, nullptr);
    // Each link needs an element, and each element a quote.
    size_t quotes = std::count(file.begin(), file.end(), '\'');
    EXPECT_LE(static_cast<size_t>(base.Count()), quotes);
    EXPECT_LE(static_cast<size_t>(cat.Count()), quotes);
  }
  // Random mutations of a real file.
  const std::string sample = kSample;
  for (int round = 0; round < 3000; ++round) {
    std::string file = sample;
    for (int k = 0; k < 4; ++k) file[random() % file.size()] = static_cast<char>(random());
    const ExactBuffer buffer(file);
    TCat cat;
    TBase base;
    ReadCategories(buffer.view(), cat);
    ReadLinks(buffer.view(), base, nullptr);
    EXPECT_LE(base.Count(), 8);
  }
}

TEST(DatabaseReader, FilesThatCannotBeReadAddNothing) {
  TempFolder temp;
  temp.Write("empty.js", "");
  temp.Write("random.bin", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  ::mkdir((temp / "folder.js").c_str(), 0755);
  for (const std::string& path :
       {temp / "empty.js", temp / "random.bin", temp / "folder.js", temp / "missing.js"}) {
    TCat cat;
    cat.Add("kept");
    TBase base;
    base.Add(TBaseRecord{});
    cat.LoadFromFile(path);
    base.LoadFromFile(path);
    EXPECT_EQ(cat.Items(), V{"kept"}) << path;
    EXPECT_EQ(base.Count(), 1) << path;
  }
}

TEST(DatabaseReader, LoadsAFileFromDisk) {
  TempFolder temp;
  const std::string path = temp.Write("searchdb.js", kSample);
  TCat cat;
  TBase base;
  cat.LoadFromFile(path);
  base.LoadFromFile(path);
  EXPECT_EQ(cat.Items(), (V{"All Categories", "Guides 'n' \\ tips"}));
  EXPECT_EQ(cat.Current(), 1);
  ASSERT_EQ(base.Count(), 3);
  EXPECT_EQ(Describe(base.Get(1)), "1|Getting started|docs%2Fstart.html|How to begin.|start,guide");
  EXPECT_EQ(Describe(base.Get(2)), "-2||||");
}

}  // namespace
}  // namespace qm
