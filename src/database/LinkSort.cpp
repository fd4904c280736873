// The five sorts. The order they must give is that of a plain selection sort:
// for each position i, find the first position b >= i holding the smallest key
// and exchange the links at i and b. That procedure is not stable, and its
// order of equal keys is part of the contract, so it is reproduced exactly;
// but it needs n^2/2 comparisons, far too many for 100,000 links. A tournament
// tree over the positions finds the same b in O(log n), and an exchange
// updates two leaves.
#include <functional>
#include <string>
#include <vector>

#include "database/Addresses.h"
#include "database/LinkModel.h"
#include "database/TextForms.h"

namespace qm {
namespace {

// Returns perm with perm[i] = the original index of the link that the
// selection procedure leaves at position i. `less` compares original indices.
std::vector<size_t> SelectionOrder(size_t n, const std::function<bool(size_t, size_t)>& less) {
  std::vector<size_t> at(n);  // at[p]: original index of the link now at position p
  for (size_t p = 0; p < n; ++p) at[p] = p;
  if (n < 2) return at;

  size_t leaves = 1;
  while (leaves < n) leaves <<= 1;
  constexpr size_t kNone = static_cast<size_t>(-1);
  // tree[node] = the position that wins its range: smallest key, then the
  // smallest position. kNone stands for a finished or absent position.
  std::vector<size_t> tree(2 * leaves, kNone);
  auto winner = [&](size_t a, size_t b) -> size_t {
    if (a == kNone) return b;
    if (b == kNone) return a;
    // a lies left of b, so a wins ties.
    return less(at[b], at[a]) ? b : a;
  };
  for (size_t p = 0; p < n; ++p) tree[leaves + p] = p;
  for (size_t node = leaves - 1; node >= 1; --node) {
    tree[node] = winner(tree[2 * node], tree[2 * node + 1]);
  }
  auto update = [&](size_t p, bool finished) {
    size_t node = leaves + p;
    tree[node] = finished ? kNone : p;
    for (node /= 2; node >= 1; node /= 2) {
      tree[node] = winner(tree[2 * node], tree[2 * node + 1]);
    }
  };

  for (size_t i = 0; i < n; ++i) {
    const size_t b = tree[1];
    if (b != i) {
      std::swap(at[i], at[b]);
      update(b, false);
    }
    update(i, true);
  }
  return at;
}

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
