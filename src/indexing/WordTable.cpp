#include "indexing/WordTable.h"

namespace qm {

void WordTable::Clear() {
  slots_.clear();
  mask_ = 0;
  used_ = 0;
}

void WordTable::Insert(uint64_t hash, int32_t id) {
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  size_t at = hash & mask_;
  while (slots_[at].index != kNotFound) at = (at + 1) & mask_;
  slots_[at] = Slot{hash, id};
  ++used_;
}

void WordTable::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.index == kNotFound) continue;
    size_t at = slot.hash & mask_;
    while (slots_[at].index != kNotFound) at = (at + 1) & mask_;
    slots_[at] = slot;
  }
}

}  // namespace qm
