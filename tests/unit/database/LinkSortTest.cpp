// The five sorts against a deliberately simple implementation of the
// selection procedure whose exact order (ties included) they must give.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "database/Addresses.h"
#include "database/LinkModel.h"
#include "database/TextForms.h"
#include "support/CodePageGuard.h"

namespace qm {
namespace {

using test::CodePageGuard;

// For each position i: the first position b >= i with the smallest key,
// then exchange i and b. Quadratic, obviously right.
template <typename Key>
std::vector<TBaseRecord> SelectionSorted(std::vector<TBaseRecord> links,
                                         const std::function<Key(const TBaseRecord&)>& key) {
  for (size_t i = 0; i < links.size(); ++i) {
    size_t b = i;
    for (size_t j = i; j < links.size(); ++j) {
      if (key(links[j]) < key(links[b])) b = j;
    }
    if (b != i) std::swap(links[i], links[b]);
  }
  return links;
}

// Links whose fields come from tiny alphabets, so that most keys tie; the
// caption is unique and shows where each link went.
TBase TiedLinks(std::mt19937& random, int n) {
  const char* texts[] = {"", "a", "b", "A", "Z", "ab", "a\xC3\xA9", "\xC3\xA9", "a b"};
  const char* urls[] = {"a.html", "b.html", "a%20b.html", "A.html", "a+b.html", "%C3%A9.html", "a%2Fb"};
  TBase base;
  for (int i = 0; i < n; ++i) {
    TBaseRecord link;
    link.Cat = static_cast<int>(random() % 4) - 1;
    link.Caption = texts[random() % 9] + std::string("#") + std::to_string(i);
    link.URL = urls[random() % 7];
    link.Desc = texts[random() % 9];
    const int keys = static_cast<int>(random() % 7);
    for (int k = 0; k < keys; ++k) link.Keys.push_back(texts[1 + random() % 4]);
    base.Add(link);
  }
  return base;
}

std::string CaptionKey(const TBaseRecord& link) { return link.Caption.substr(0, link.Caption.find('#')); }

TEST(LinkSort, EverySortGivesTheSelectionProceduresOrder) {
  CodePageGuard guard("windows-1252");
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    const int n = static_cast<int>(random() % 40);
    const TBase original = TiedLinks(random, n);
    const bool utf8Mode = round % 2 == 0;
    SCOPED_TRACE(testing::Message() << "round " << round << ", " << n << " links");

    TBase base = original;
    base.SortByCat();
    EXPECT_EQ(base.Items(), SelectionSorted<int>(original.Items(), [](const TBaseRecord& l) { return l.Cat; }));

    base = original;
    base.SortByURL(utf8Mode);
    EXPECT_EQ(base.Items(), SelectionSorted<std::string>(original.Items(), [&](const TBaseRecord& l) {
                return ToDisplayText(DecodeURL(l.URL), utf8Mode);
              }));

    // The caption sort is checked on captions that tie: the unique tail is
    // cut off by giving all links of a round the same tail.
    TBase tied;
    for (TBaseRecord link : original.Items()) {
      link.Caption = CaptionKey(link);
      tied.Add(link);
    }
    base = tied;
    base.SortByCaption();
    EXPECT_EQ(base.Items(),
              SelectionSorted<std::string>(tied.Items(), [](const TBaseRecord& l) { return l.Caption; }));

    base = original;
    base.SortByDescription();
    EXPECT_EQ(base.Items(),
              SelectionSorted<std::string>(original.Items(), [](const TBaseRecord& l) { return l.Desc; }));

    base = original;
    base.SortByKeys();
    EXPECT_EQ(base.Items(), SelectionSorted<std::string>(
                                original.Items(), [](const TBaseRecord& l) { return KeysSummary(l.Keys); }));
  }
}

TBase WithCaptions(std::initializer_list<const char*> captions) {
  TBase base;
  for (const char* caption : captions) {
    TBaseRecord link;
    link.Caption = caption;
    base.Add(link);
  }
  return base;
}

std::vector<std::string> Captions(const TBase& base) {
  std::vector<std::string> out;
  for (const TBaseRecord& link : base.Items()) out.push_back(link.Caption);
  return out;
}

TEST(LinkSort, IsNotStable) {
  // Keys B (first), B (second), A give A, B (second), B (first).
  TBase base;
  for (const char* caption : {"B first", "B second", "A"}) {
    TBaseRecord link;
    link.Caption = caption;
    link.Desc = caption[0] == 'A' ? "A" : "B";
    base.Add(link);
  }
  base.SetCurrent(1);
  base.SortByDescription();
  EXPECT_EQ(Captions(base), (std::vector<std::string>{"A", "B second", "B first"}));
  EXPECT_EQ(base.Current(), 1);
}

TEST(LinkSort, ComparesBytesCaseSensitivelyAndUnsigned) {
  TBase base = WithCaptions({"apple", "Zebra", "\xC3\xA9t\xC3\xA9", "", "app"});
  base.SortByCaption();
  EXPECT_EQ(Captions(base), (std::vector<std::string>{"", "Zebra", "app", "apple", "\xC3\xA9t\xC3\xA9"}));
}

TEST(LinkSort, KeysSortPutsAProperPrefixFirst) {
  TBase base;
  for (KeyList keys : {KeyList{"b"}, KeyList{"a", "b", "c", "d", "e"}, KeyList{"a", "b", "c", "d"}}) {
    TBaseRecord link;
    link.Keys = keys;
    base.Add(link);
  }
  base.SortByKeys();
  EXPECT_EQ(base.Get(0).Keys, (KeyList{"a", "b", "c", "d"}));
  EXPECT_EQ(base.Get(1).Keys, (KeyList{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(base.Get(2).Keys, (KeyList{"b"}));
}

TEST(LinkSort, AddressSortComparesTheDisplayForm) {
  CodePageGuard guard("windows-1252");
  TBase base;
  for (const char* url : {"b.html", "%C3%A9.html", "a%20z.html", "a+b.html", "%E9.html"}) {
    TBaseRecord link;
    link.URL = url;
    base.Add(link);
  }
  // In UTF-8 mode "%C3%A9" shows as the single byte 0xE9, as "%E9" does
  // (which, not being UTF-8, shows as "?").
  base.SortByURL(true);
  std::vector<std::string> urls;
  for (const TBaseRecord& link : base.Items()) urls.push_back(link.URL);
  EXPECT_EQ(urls, (std::vector<std::string>{"%E9.html", "a+b.html", "a%20z.html", "b.html", "%C3%A9.html"}));
  // Outside UTF-8 mode the decoded bytes compare as they are.
  base.SortByURL(false);
  urls.clear();
  for (const TBaseRecord& link : base.Items()) urls.push_back(link.URL);
  EXPECT_EQ(urls, (std::vector<std::string>{"a+b.html", "a%20z.html", "b.html", "%C3%A9.html", "%E9.html"}));
}

TEST(LinkSort, HandlesEmptyAndSingleLists) {
  TBase empty;
  empty.SortByCaption();
  EXPECT_EQ(empty.Count(), 0);
  TBase one = WithCaptions({"x"});
  one.SortByKeys();
  EXPECT_EQ(Captions(one), std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace qm
