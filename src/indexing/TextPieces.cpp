#include "indexing/TextPieces.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace qm {
namespace {

constexpr uint64_t kEach = 0x0101010101010101ull;  // one in every byte
constexpr uint64_t kHigh = 0x8080808080808080ull;  // the top bit of every byte

// Up to 8 bytes of `text` from `at` as one word (missing bytes are zero).
uint64_t Chunk(std::string_view text, size_t at) {
  uint64_t v = 0;
  std::memcpy(&v, text.data() + at, std::min<size_t>(8, text.size() - at));
  return v;
}

// The top bit set in every byte of `v` that is an ASCII capital.
uint64_t Capitals(uint64_t v) {
  const uint64_t low = v & ~kHigh;
  const uint64_t atLeastA = low + (0x80 - 'A') * kEach;
  const uint64_t aboveZ = low + (0x80 - 'Z' - 1) * kEach;
  return atLeastA & ~aboveZ & ~v & kHigh;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

bool IsAsciiText(std::string_view text) {
  uint64_t any = 0;
  for (size_t at = 0; at < text.size(); at += 8) any |= Chunk(text, at);
  return (any & kHigh) == 0;
}

bool AsciiLowerView(std::string_view text, std::string& scratch, std::string_view& lowered) {
  // Eight bytes at a time: high bytes and capitals are found with a few
  // word-wide operations.
  uint64_t any = 0;
  uint64_t capitals = 0;
  for (size_t at = 0; at < text.size(); at += 8) {
    const uint64_t v = Chunk(text, at);
    any |= v;
    capitals |= Capitals(v);
  }
  if ((any & kHigh) != 0) return false;
  if (capitals == 0) {
    lowered = text;
    return true;
  }
  scratch.assign(text);
  for (char& c : scratch) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  lowered = scratch;
  return true;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  size_t at = text.find(from);
  if (at == std::string::npos) return;
  std::string result;
  result.reserve(text.size());
  size_t done = 0;
  while (at != std::string::npos) {
    result.append(text, done, at - done);
    result.append(to);
    done = at + from.size();
    at = text.find(from, done);
  }
  result.append(text, done, std::string::npos);
  text.swap(result);
}

}  // namespace qm
