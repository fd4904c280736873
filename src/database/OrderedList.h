// The operations that the category list and the links database share: an
// ordered list of items with a current index. Indices are 0-based; an index
// outside the list makes a changing operation do nothing and a reading
// operation return the empty item. No operation reports an error.
#pragma once

#include <utility>
#include <vector>

namespace qm {

template <typename Item>
class OrderedList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }

  int Current() const { return current_; }
  void SetCurrent(int i) { current_ = i; }

  void Clear() {
    items_.clear();
    current_ = 0;
  }

  // Removes item i; Current becomes i, or the new last index when i was the
  // last of several.
  void Delete(int i) {
    if (!Valid(i)) return;
    const bool wasLast = i == Count() - 1;
    items_.erase(items_.begin() + i);
    current_ = (i > 0 && wasLast) ? Count() - 1 : i;
  }

  // A copy of item i, or the empty item.
  Item Get(int i) const { return Valid(i) ? items_[static_cast<size_t>(i)] : Item{}; }
  // Read access without a copy; the empty item past the end.
  const Item& At(int i) const {
    static const Item empty{};
    return Valid(i) ? items_[static_cast<size_t>(i)] : empty;
  }

  // Replaces item i; Current is unchanged.
  void Put(int i, Item item) {
    if (Valid(i)) items_[static_cast<size_t>(i)] = std::move(item);
  }

  void MoveToBegin(int i) {
    if (i < 1 || i > Count() - 1) return;
    Item moved = std::move(items_[static_cast<size_t>(i)]);
    items_.erase(items_.begin() + i);
    items_.insert(items_.begin(), std::move(moved));
    current_ = 0;
  }

  void MoveToEnd(int i) {
    if (i < 0 || i >= Count() - 1) return;
    Item moved = std::move(items_[static_cast<size_t>(i)]);
    items_.erase(items_.begin() + i);
    items_.push_back(std::move(moved));
    current_ = Count() - 1;
  }

  void MoveUp(int i) {
    if (i < 1 || i > Count() - 1) return;
    std::swap(items_[static_cast<size_t>(i) - 1], items_[static_cast<size_t>(i)]);
    current_ = i - 1;
  }

  void MoveDown(int i) {
    if (i < 0 || i >= Count() - 1) return;
    std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(i) + 1]);
    current_ = i + 1;
  }

  const std::vector<Item>& Items() const { return items_; }

 protected:
  std::vector<Item>& MutableItems() { return items_; }
  void Append(Item item) {
    items_.push_back(std::move(item));
    current_ = Count() - 1;
  }

 private:
  std::vector<Item> items_;
  int current_ = 0;
};

}  // namespace qm
