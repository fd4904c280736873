// The order a plain selection sort gives, computed fast. The procedure: for
// each position i, find the first position b >= i holding the smallest key
// and exchange the items at i and b. It is not stable, and where its order of
// equal keys is part of a contract it has to be reproduced exactly; but it
// needs n^2/2 comparisons. A tournament tree over the positions finds the
// same b in O(log n), and an exchange updates two leaves.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace qm {

// Returns perm with perm[i] = the original index of the item that the
// selection procedure leaves at position i, for the first `count` positions
// (all n when count >= n); the procedure's later steps never move an item
// into an earlier position, so the prefix is final. `less` compares original
// indices and must be a strict weak order. O(n + count log n) comparisons.
std::vector<size_t> SelectionOrder(size_t n, const std::function<bool(size_t, size_t)>& less,
                                   size_t count = static_cast<size_t>(-1));

}  // namespace qm
