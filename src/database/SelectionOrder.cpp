#include "database/SelectionOrder.h"

#include <utility>

namespace qm {

std::vector<size_t> SelectionOrder(size_t n, const std::function<bool(size_t, size_t)>& less,
                                   size_t count) {
  std::vector<size_t> at(n);  // at[p]: original index of the item now at position p
  for (size_t p = 0; p < n; ++p) at[p] = p;
  if (count > n) count = n;
  if (n < 2) {
    at.resize(count);
    return at;
  }

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

  for (size_t i = 0; i < count; ++i) {
    const size_t b = tree[1];
    if (b != i) {
      std::swap(at[i], at[b]);
      update(b, false);
    }
    update(i, true);
  }
  at.resize(count);
  return at;
}

}  // namespace qm
