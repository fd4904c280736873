// Finds a candidate keyword's record by its text in O(1): an open-addressing
// hash table of record indices. The table holds no text of its own; it asks
// the caller for the text of an index when two hashes agree, so records may
// move in memory (a growing vector) without invalidating it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qm {

class WordTable {
 public:
  static uint64_t Hash(std::string_view word);

  void Clear();

  // The index inserted for a text equal to `word` (whose hash is `hash`), or
  // -1. `textOf(index)` gives the text of a stored index.
  template <typename TextOf>
  int32_t Find(std::string_view word, uint64_t hash, const TextOf& textOf) const {
    if (slots_.empty()) return -1;
    for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.index < 0) return -1;
      if (slot.hash == hash && textOf(slot.index) == word) return slot.index;
    }
  }

  // Adds `index` under `hash`; the caller has checked that its text is absent.
  void Insert(uint64_t hash, int32_t index);

 private:
  struct Slot {
    uint64_t hash = 0;
    int32_t index = -1;  // -1: empty
  };
  void Grow();

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t used_ = 0;
};

}  // namespace qm
