// The ordered keyword list of a link, kept packed in one string: a database of
// 100,000 links holds well over a million keywords, and one string object per
// keyword would cost several times the keywords' own bytes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class KeyList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    std::string_view operator*() const;
    const_iterator& operator++();
    const_iterator operator++(int) {
      const_iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const const_iterator& other) const { return at_ == other.at_; }

   private:
    friend class KeyList;
    explicit const_iterator(const char* at) : at_(at) {}
    const char* at_ = nullptr;
  };

  KeyList() = default;
  KeyList(std::initializer_list<std::string_view> keys);
  explicit KeyList(const std::vector<std::string>& keys);

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // Keyword i; empty for an index past the end. Walks the list: O(i).
  std::string_view operator[](size_t i) const;
  std::string_view front() const { return (*this)[0]; }

  void push_back(std::string_view key);
  // Makes room for keywords of `bytes` bytes in all (each also takes a byte
  // or two for its length), so that appending them does not reallocate.
  void reserve(size_t bytes) { packed_.reserve(bytes); }
  void clear();
  bool contains(std::string_view key) const;

  const_iterator begin() const { return const_iterator(packed_.data()); }
  const_iterator end() const { return const_iterator(packed_.data() + packed_.size()); }

  std::vector<std::string> ToVector() const;

  bool operator==(const KeyList& other) const {
    return count_ == other.count_ && packed_ == other.packed_;
  }

 private:
  // Each keyword is stored as its length (a base-128 varint) and its bytes.
  std::string packed_;
  uint32_t count_ = 0;
};

}  // namespace qm
