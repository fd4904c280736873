// Finds a candidate keyword's record by its text in O(1): an open-addressing
// hash table of 32-bit ids (record indices, or any other number but
// kNotFound). The table holds no text of its own; it asks the caller for the
// text of an id when two hashes agree, so records may move in memory (a
// growing vector) without invalidating it.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace qm {

class WordTable {
 public:
  static constexpr int32_t kNotFound = std::numeric_limits<int32_t>::min();

  // A fast hash of short texts (8 bytes at a time, mixed at the end).
  static uint64_t Hash(std::string_view word) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ word.size();
    const char* p = word.data();
    size_t n = word.size();
    for (; n >= 8; p += 8, n -= 8) {
      uint64_t v;
      std::memcpy(&v, p, 8);
      h = (h ^ v) * 0xFF51AFD7ED558CCDull;
      h ^= h >> 32;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 33);
  }

  void Clear();

  // The id inserted for a text equal to `word` (whose hash is `hash`), or
  // kNotFound. `textOf(id)` gives the text of a stored id.
  template <typename TextOf>
  int32_t Find(std::string_view word, uint64_t hash, const TextOf& textOf) const {
    if (slots_.empty()) return kNotFound;
    for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.index == kNotFound) return kNotFound;
      if (slot.hash == hash && textOf(slot.index) == word) return slot.index;
    }
  }

  // Adds `id` under `hash`; the caller has checked that its text is absent.
  void Insert(uint64_t hash, int32_t id);

 private:
  struct Slot {
    uint64_t hash = 0;
    int32_t index = kNotFound;  // kNotFound: empty
  };
  void Grow();

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t used_ = 0;
};

}  // namespace qm
