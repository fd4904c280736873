// The five sorts. The order they must give is that of a plain selection sort,
// ties included (database/SelectionOrder.h).
#include <functional>
#include <string>
#include <vector>

#include "database/Addresses.h"
#include "database/LinkModel.h"
#include "database/SelectionOrder.h"
#include "database/TextForms.h"

namespace qm {
namespace {

template <typename Key>
std::vector<size_t> OrderByKeys(const std::vector<Key>& keys) {
  return SelectionOrder(keys.size(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
}

}  // namespace

// Applies the order computed from one key per link.
template <typename KeyOf>
static void SortLinks(std::vector<TBaseRecord>& links, KeyOf keyOf) {
  using Key = decltype(keyOf(links.front()));
  if (links.size() < 2) return;
  std::vector<Key> keys;
  keys.reserve(links.size());
  for (const TBaseRecord& link : links) keys.push_back(keyOf(link));
  const std::vector<size_t> order = OrderByKeys(keys);
  std::vector<TBaseRecord> sorted;
  sorted.reserve(links.size());
  for (size_t from : order) sorted.push_back(std::move(links[from]));
  links.swap(sorted);
}

// std::string's operator< compares as unsigned bytes (char_traits<char>::lt
// compares as unsigned char), which is the ordinal comparison the sorts need.
void TBase::SortByCat() {
  SortLinks(MutableItems(), [](const TBaseRecord& link) { return link.Cat; });
}

void TBase::SortByURL(bool utf8Mode) {
  SortLinks(MutableItems(), [utf8Mode](const TBaseRecord& link) {
    return ToDisplayText(DecodeURL(link.URL), utf8Mode);
  });
}

void TBase::SortByCaption() {
  SortLinks(MutableItems(), [](const TBaseRecord& link) { return std::string_view(link.Caption); });
}

void TBase::SortByDescription() {
  SortLinks(MutableItems(), [](const TBaseRecord& link) { return std::string_view(link.Desc); });
}

void TBase::SortByKeys() {
  SortLinks(MutableItems(), [](const TBaseRecord& link) { return KeysSummary(link.Keys); });
}

}  // namespace qm
