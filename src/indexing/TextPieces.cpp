#include "indexing/TextPieces.h"

#include <cstdint>
#include <cstring>

namespace qm {
namespace {

constexpr uint64_t kEach = 0x0101010101010101ull;  // one in every byte
constexpr uint64_t kHigh = 0x8080808080808080ull;  // the top bit of every byte

// The top bit set in every byte of `v` that is an ASCII capital.
uint64_t Capitals(uint64_t v) {
  const uint64_t low = v & ~kHigh;
  const uint64_t atLeastA = low + (0x80 - 'A') * kEach;
  const uint64_t aboveZ = low + (0x80 - 'Z' - 1) * kEach;
  return atLeastA & ~aboveZ & ~v & kHigh;
}

template <typename Unsigned>
uint64_t Load(const char* at) {
  Unsigned v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

// Calls `take` with words that together hold every byte of `text` (some
// bytes twice, none outside the text; missing bytes are zero).
template <typename Take>
void EveryByte(std::string_view text, Take take) {
  const char* p = text.data();
  const size_t n = text.size();
  if (n >= 8) {
    for (size_t at = 0; at + 8 <= n; at += 8) take(Load<uint64_t>(p + at));
    if (n % 8 != 0) take(Load<uint64_t>(p + n - 8));
  } else if (n >= 4) {
    take(Load<uint32_t>(p) | Load<uint32_t>(p + n - 4) << 32);
  } else if (n > 0) {
    take(Load<uint8_t>(p) | Load<uint8_t>(p + n / 2) << 8 | Load<uint8_t>(p + n - 1) << 16);
  }
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
  EveryByte(text, [&](uint64_t v) { any |= v; });
  return (any & kHigh) == 0;
}

bool AsciiLowerView(std::string_view text, std::string& scratch, std::string_view& lowered) {
  // Eight bytes at a time: high bytes and capitals are found with a few
  // word-wide operations.
  uint64_t any = 0;
  uint64_t capitals = 0;
  EveryByte(text, [&](uint64_t v) {
    any |= v;
    capitals |= Capitals(v);
  });
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
