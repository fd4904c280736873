#include "database/KeyList.h"

#include <algorithm>

namespace qm {
namespace {

// Reads the varint length at p; advances p past it.
size_t ReadLength(const char*& p) {
  size_t length = 0;
  int shift = 0;
  while (true) {
    unsigned char byte = static_cast<unsigned char>(*p++);
    length |= static_cast<size_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return length;
    shift += 7;
  }
}

}  // namespace

std::string_view KeyList::const_iterator::operator*() const {
  const char* p = at_;
  size_t length = ReadLength(p);
  return std::string_view(p, length);
}

KeyList::const_iterator& KeyList::const_iterator::operator++() {
  size_t length = ReadLength(at_);
  at_ += length;
  return *this;
}

KeyList::KeyList(std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) push_back(key);
}

KeyList::KeyList(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) push_back(key);
}

std::string_view KeyList::operator[](size_t i) const {
  if (i >= count_) return {};
  auto it = begin();
  std::advance(it, static_cast<std::ptrdiff_t>(i));
  return *it;
}

void KeyList::push_back(std::string_view key) {
  size_t length = key.size();
  while (length >= 0x80) {
    packed_.push_back(static_cast<char>((length & 0x7F) | 0x80));
    length >>= 7;
  }
  packed_.push_back(static_cast<char>(length));
  packed_.append(key);
  ++count_;
}

void KeyList::clear() {
  packed_.clear();
  count_ = 0;
}

bool KeyList::contains(std::string_view key) const {
  return std::find(begin(), end(), key) != end();
}

std::vector<std::string> KeyList::ToVector() const {
  return std::vector<std::string>(begin(), end());
}

}  // namespace qm
