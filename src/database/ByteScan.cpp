#include "database/ByteScan.h"

#include <cstring>

#include "platform/CodePage.h"

namespace qm {

bool FindText(std::string_view data, std::string_view text, size_t& start) {
  if (start > data.size() || text.size() > data.size() - start) return false;
  if (text.empty()) return true;
  const unsigned char* upper = UpperTable();
  std::string wanted(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    wanted[i] = static_cast<char>(upper[static_cast<unsigned char>(text[i])]);
  }
  const auto first = static_cast<unsigned char>(wanted[0]);
  const size_t last = data.size() - text.size();
  for (size_t p = start; p <= last; ++p) {
    if (upper[static_cast<unsigned char>(data[p])] != first) continue;
    size_t k = 1;
    while (k < wanted.size() &&
           upper[static_cast<unsigned char>(data[p + k])] == static_cast<unsigned char>(wanted[k])) {
      ++k;
    }
    if (k == wanted.size()) {
      start = p + text.size();
      return true;
    }
  }
  return false;
}

std::string ReadQuoted(std::string_view data, size_t& pos, char quote) {
  std::string text;
  if (pos >= data.size()) return text;
  const void* open = std::memchr(data.data() + pos, quote, data.size() - pos);
  if (open == nullptr) {
    pos = data.size();
    return text;
  }
  size_t i = static_cast<size_t>(static_cast<const char*>(open) - data.data()) + 1;
  const bool escapes = quote == '\'';
  while (i < data.size()) {
    const char c = data[i++];
    if (c == quote) break;
    if (escapes && c == '\\') {
      if (i < data.size()) text.push_back(data[i++]);
      continue;
    }
    if (c == '\r') {
      text.push_back(' ');
    } else if (c != '\n') {
      text.push_back(c);
    }
  }
  pos = i;
  return text;
}

}  // namespace qm
