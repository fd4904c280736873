#include "database/LinkModel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

std::vector<std::string> Names(const TCat& cat) { return cat.Items(); }

TCat Categories(std::initializer_list<const char*> names) {
  TCat cat;
  for (const char* name : names) cat.Add(name);
  return cat;
}

TBase LinksWithCats(std::initializer_list<int> cats) {
  TBase base;
  int n = 0;
  for (int cat : cats) {
    TBaseRecord link;
    link.Cat = cat;
    link.Caption = "link" + std::to_string(n++);
    base.Add(link);
  }
  return base;
}

std::vector<int> Cats(const TBase& base) {
  std::vector<int> cats;
  for (const TBaseRecord& link : base.Items()) cats.push_back(link.Cat);
  return cats;
}

std::vector<std::string> Captions(const TBase& base) {
  std::vector<std::string> captions;
  for (const TBaseRecord& link : base.Items()) captions.push_back(link.Caption);
  return captions;
}

TEST(TCat, AddIgnoresEmptyNamesAndPutStoresThem) {
  TCat cat = Categories({"a", "b"});
  EXPECT_EQ(cat.Current(), 1);
  cat.SetCurrent(0);
  cat.Add("");
  EXPECT_EQ(cat.Count(), 2);
  EXPECT_EQ(cat.Current(), 0);
  cat.Put(0, "");
  EXPECT_EQ(Names(cat), (std::vector<std::string>{"", "b"}));
  EXPECT_EQ(cat.Current(), 0);
  cat.Put(2, "past the end");
  EXPECT_EQ(cat.Count(), 2);
  cat.Add("b");  // names need not be unique
  EXPECT_EQ(Names(cat), (std::vector<std::string>{"", "b", "b"}));
  EXPECT_EQ(cat.Current(), 2);
  EXPECT_EQ(cat.Get(3), "");
  cat.Clear();
  EXPECT_EQ(cat.Count(), 0);
  EXPECT_EQ(cat.Current(), 0);
}

// One move or delete on the list a, b, c, d (Current starts at 3).
struct MoveCase {
  const char* what;
  void (*operation)(TCat&);
  std::vector<std::string> names;
  int current;
};

TEST(TCat, MovesAndDeletes) {
  using V = std::vector<std::string>;
  const MoveCase cases[] = {
      {"Delete 2", [](TCat& c) { c.Delete(2); }, V{"a", "b", "d"}, 2},
      {"Delete last", [](TCat& c) { c.Delete(3); }, V{"a", "b", "c"}, 2},
      {"Delete 0", [](TCat& c) { c.Delete(0); }, V{"b", "c", "d"}, 0},
      {"Delete past end", [](TCat& c) { c.Delete(4); }, V{"a", "b", "c", "d"}, 3},
      {"Delete negative", [](TCat& c) { c.Delete(-1); }, V{"a", "b", "c", "d"}, 3},
      {"MoveToBegin 2", [](TCat& c) { c.MoveToBegin(2); }, V{"c", "a", "b", "d"}, 0},
      {"MoveToBegin 0", [](TCat& c) { c.MoveToBegin(0); }, V{"a", "b", "c", "d"}, 3},
      {"MoveToBegin 4", [](TCat& c) { c.MoveToBegin(4); }, V{"a", "b", "c", "d"}, 3},
      {"MoveToEnd 1", [](TCat& c) { c.MoveToEnd(1); }, V{"a", "c", "d", "b"}, 3},
      {"MoveToEnd last", [](TCat& c) { c.MoveToEnd(3); }, V{"a", "b", "c", "d"}, 3},
      {"MoveUp 2", [](TCat& c) { c.MoveUp(2); }, V{"a", "c", "b", "d"}, 1},
      {"MoveUp 0", [](TCat& c) { c.MoveUp(0); }, V{"a", "b", "c", "d"}, 3},
      {"MoveDown 1", [](TCat& c) { c.MoveDown(1); }, V{"a", "c", "b", "d"}, 2},
      {"MoveDown last", [](TCat& c) { c.MoveDown(3); }, V{"a", "b", "c", "d"}, 3},
      {"MoveDown negative", [](TCat& c) { c.MoveDown(-1); }, V{"a", "b", "c", "d"}, 3},
  };
  for (const MoveCase& c : cases) {
    TCat cat = Categories({"a", "b", "c", "d"});
    c.operation(cat);
    EXPECT_EQ(Names(cat), c.names) << c.what;
    EXPECT_EQ(cat.Current(), c.current) << c.what;
  }
  // Three items: deleting the last leaves Current on the new last.
  TCat three = Categories({"a", "b", "c"});
  three.Delete(2);
  EXPECT_EQ(three.Count(), 2);
  EXPECT_EQ(three.Current(), 1);
  TCat one = Categories({"a"});
  one.Delete(0);
  EXPECT_EQ(one.Count(), 0);
  EXPECT_EQ(one.Current(), 0);
}

TEST(TBase, GetFindAndDontUpdate) {
  TBase base;
  EXPECT_FALSE(base.FindURL(""));
  EXPECT_EQ(base.Get(0), TBaseRecord{});
  TBaseRecord link;
  link.URL = "docs%2Fa.html";
  link.Keys = {"x", "~"};
  base.Add(link);
  link.URL = "docs%2FA.html";
  link.Keys = {"dont_update"};
  base.Add(link);
  link.Keys = {"Dont_Update", "~~", " ~"};
  base.Add(link);
  EXPECT_EQ(base.Current(), 2);
  EXPECT_EQ(base.Get(3), TBaseRecord{});
  EXPECT_TRUE(base.FindURL("docs%2Fa.html"));
  EXPECT_TRUE(base.FindURL("docs%2FA.html"));
  EXPECT_FALSE(base.FindURL("docs%2fa.html"));
  EXPECT_TRUE(base.IsDontUpdate(0));
  EXPECT_TRUE(base.IsDontUpdate(1));
  EXPECT_FALSE(base.IsDontUpdate(2));
  EXPECT_FALSE(base.IsDontUpdate(3));
}

// Renumbering keeps every link naming the same category text.
struct RenumberCase {
  const char* what;
  void (*operation)(TCat&, TBase&);
};

TEST(TBase, RenumberingFollowsTheCategoryMoves) {
  const RenumberCase cases[] = {
      {"MoveToBegin 2", [](TCat& c, TBase& b) { c.MoveToBegin(2); b.CatMovedToBegin(2); }},
      {"MoveToBegin 3", [](TCat& c, TBase& b) { c.MoveToBegin(3); b.CatMovedToBegin(3); }},
      {"MoveToBegin 0", [](TCat& c, TBase& b) { c.MoveToBegin(0); b.CatMovedToBegin(0); }},
      {"MoveToEnd 0", [](TCat& c, TBase& b) { c.MoveToEnd(0); b.CatMovedToEnd(0, c.Count()); }},
      {"MoveToEnd 1", [](TCat& c, TBase& b) { c.MoveToEnd(1); b.CatMovedToEnd(1, c.Count()); }},
      {"MoveToEnd 3", [](TCat& c, TBase& b) { c.MoveToEnd(3); b.CatMovedToEnd(3, c.Count()); }},
      {"MoveUp 2", [](TCat& c, TBase& b) { c.MoveUp(2); b.CatMovedUp(2); }},
      {"MoveUp 0", [](TCat& c, TBase& b) { c.MoveUp(0); b.CatMovedUp(0); }},
      {"MoveDown 1", [](TCat& c, TBase& b) { c.MoveDown(1); b.CatMovedDown(1, c.Count()); }},
      {"MoveDown 3", [](TCat& c, TBase& b) { c.MoveDown(3); b.CatMovedDown(3, c.Count()); }},
  };
  for (const RenumberCase& c : cases) {
    TCat cat = Categories({"c0", "c1", "c2", "c3"});
    TBase base = LinksWithCats({0, 1, 2, 3, 2});
    std::vector<std::string> before;
    for (int n : Cats(base)) before.push_back(cat.Get(n));
    c.operation(cat, base);
    for (int i = 0; i < base.Count(); ++i) {
      EXPECT_EQ(cat.Get(base.Get(i).Cat), before[static_cast<size_t>(i)]) << c.what << " link " << i;
    }
    EXPECT_EQ(Captions(base), Captions(LinksWithCats({0, 1, 2, 3, 2}))) << c.what;
  }
  // A link naming a category beyond the list (after an import) follows the
  // same arithmetic: moves to the beginning leave larger numbers alone, moves
  // to the end count them down.
  TBase beyond = LinksWithCats({7});
  beyond.CatMovedToBegin(2);
  EXPECT_EQ(Cats(beyond), std::vector<int>{7});
  beyond.CatMovedToEnd(1, 4);
  EXPECT_EQ(Cats(beyond), std::vector<int>{6});
  beyond.CatMovedUp(2);
  beyond.CatMovedDown(1, 4);
  EXPECT_EQ(Cats(beyond), std::vector<int>{6});
  TCat cat = Categories({"c0", "c1", "c2", "c3"});
  TBase base = LinksWithCats({0, 1, 2, 3});
  cat.MoveToBegin(2);
  base.CatMovedToBegin(2);
  EXPECT_EQ(Cats(base), (std::vector<int>{1, 2, 0, 3}));
}

TEST(TBase, DeleteCatRemovesTheCategorysLinksAndRenumbers) {
  TBase base = LinksWithCats({0, 1, 2, 1, 3});
  base.DeleteCat(1);
  EXPECT_EQ(Cats(base), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Captions(base), (std::vector<std::string>{"link0", "link2", "link4"}));
}

// DeleteCat leaves Current where deleting the links one by one, from the
// first, would leave it.
TEST(TBase, DeleteCatLeavesCurrentAsTheLastDeleteSetIt) {
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    const int n = static_cast<int>(random() % 8);
    TBase fast, slow;
    for (int i = 0; i < n; ++i) {
      TBaseRecord link;
      link.Cat = static_cast<int>(random() % 3);
      link.Caption = std::to_string(i);
      fast.Add(link);
      slow.Add(link);
    }
    const int start = n == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n));
    fast.SetCurrent(start);
    slow.SetCurrent(start);
    const int k = static_cast<int>(random() % 3);

    fast.DeleteCat(k);
    for (int i = 0; i < slow.Count();) {
      if (slow.Get(i).Cat == k) {
        slow.Delete(i);
      } else {
        ++i;
      }
    }
    for (int i = 0; i < slow.Count(); ++i) {
      TBaseRecord link = slow.Get(i);
      if (link.Cat > k) --link.Cat;
      slow.Put(i, link);
    }
    ASSERT_EQ(fast.Items(), slow.Items()) << "round " << round;
    ASSERT_EQ(fast.Current(), slow.Current()) << "round " << round;
  }
}

TEST(KeysSummary, JoinsTheFirstFourKeywords) {
  const struct {
    KeyList keys;
    const char* summary;
  } cases[] = {
      {{}, ""},
      {{"a"}, "a"},
      {{"a", "b", "c", "d"}, "a, b, c, d"},
      {{"a", "b", "c", "d", "e"}, "a, b, c, d, "},
      {{"a", "b", "c", "d", "e", "f"}, "a, b, c, d, "},
      {{"~", "x"}, "~, x"},
      {{"", "b"}, ", b"},
  };
  for (const auto& c : cases) EXPECT_EQ(KeysSummary(c.keys), c.summary);
}

TEST(KeyList, HoldsKeywordsOfAnyLengthInOrder) {
  KeyList keys;
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(keys[0], "");
  const std::string long1(127, 'x'), long2(128, 'y'), long3(20000, 'z');
  const std::vector<std::string> words = {"", "a", long1, long2, long3, std::string("n\0l", 3), "é"};
  for (const std::string& word : words) keys.push_back(word);
  EXPECT_EQ(keys.size(), words.size());
  EXPECT_EQ(keys.ToVector(), words);
  for (size_t i = 0; i < words.size(); ++i) EXPECT_EQ(keys[i], words[i]);
  EXPECT_EQ(keys[words.size()], "");
  EXPECT_EQ(keys.front(), "");
  EXPECT_TRUE(keys.contains(long2));
  EXPECT_FALSE(keys.contains("b"));
  EXPECT_EQ(KeyList(words), keys);
  keys.clear();
  EXPECT_TRUE(keys.empty());
  EXPECT_NE(KeyList(words), keys);
}

}  // namespace
}  // namespace qm
