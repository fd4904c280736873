#include "database/ByteScan.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/CodePage.h"

namespace qm {

namespace {

// The bytes that the code page's upper-casing maps to `upper` (usually a
// letter's two cases, or one byte for a sign).
std::string BytesUpperCasingTo(unsigned char upper, const unsigned char* table) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (table[b] == upper) bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

// The positions in data[from, end) of any of a few bytes, in order. Each
// byte's next occurrence is found with memchr and kept until passed, so the
// data is scanned once per byte, however rare or frequent it is.
class ByteCursor {
 public:
  ByteCursor(std::string_view data, const std::string& bytes, size_t from, size_t end)
      : data_(data), end_(end) {
    for (char b : bytes) next_.push_back({b, Find(b, from)});
  }

  // The next position not before `from`; npos when there is none.
  size_t Next(size_t from) {
    size_t best = std::string_view::npos;
    for (auto& [byte, at] : next_) {
      if (at < from) at = Find(byte, from);
      if (at < best) best = at;
    }
    return best;
  }

 private:
  size_t Find(char b, size_t from) const {
    if (from >= end_) return std::string_view::npos;
    const void* hit = std::memchr(data_.data() + from, b, end_ - from);
    return hit == nullptr ? std::string_view::npos
                          : static_cast<size_t>(static_cast<const char*>(hit) - data_.data());
  }

  std::string_view data_;
  size_t end_;
  std::vector<std::pair<char, size_t>> next_;
};

// How common an upper-cased byte is in web pages and text, roughly: a search
// anchors on the least common byte of what it looks for, so that the scan
// for candidates stops rarely (a quote or a blank would stop it every few
// bytes).
int Commonness(unsigned char upper) {
  constexpr std::string_view kLettersRarestFirst = "ZQJXKVBPYGFWMUCLDRHSNIOATE";
  const size_t letter = kLettersRarestFirst.find(static_cast<char>(upper));
  if (letter != std::string_view::npos) return 10 + static_cast<int>(letter);
  if (upper >= 0x80) return 5;
  if (upper >= '0' && upper <= '9') return 30;
  return 40;  // blanks, quotes, signs of markup
}

// The position of the quote that closes a text starting at `from`, or the
// end of the data. With escapes, a quote preceded by an odd number of
// backslashes (counted back to `from`) is escaped and does not close.
size_t ClosingQuote(std::string_view data, size_t from, char quote, bool escapes) {
  size_t p = from;
  while (p < data.size()) {
    const void* hit = std::memchr(data.data() + p, quote, data.size() - p);
    if (hit == nullptr) break;
    const size_t q = static_cast<size_t>(static_cast<const char*>(hit) - data.data());
    size_t backslashes = 0;
    while (escapes && q - backslashes > from && data[q - backslashes - 1] == '\\') ++backslashes;
    if (backslashes % 2 == 0) return q;
    p = q + 1;
  }
  return data.size();
}

}  // namespace

bool FindText(std::string_view data, std::string_view text, size_t& start) {
  if (start > data.size() || text.size() > data.size() - start) return false;
  if (text.empty()) return true;
  const unsigned char* upper = UpperTable();
  std::string wanted(text.size(), '\0');
  size_t anchor = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    wanted[i] = static_cast<char>(upper[static_cast<unsigned char>(text[i])]);
    if (Commonness(static_cast<unsigned char>(wanted[i])) <
        Commonness(static_cast<unsigned char>(wanted[anchor]))) {
      anchor = i;
    }
  }
  // Candidates are found by their anchor byte, in order, so the first match
  // is the leftmost.
  const size_t last = data.size() - text.size();
  ByteCursor anchors(data, BytesUpperCasingTo(static_cast<unsigned char>(wanted[anchor]), upper),
                     start + anchor, last + anchor + 1);
  for (size_t p = anchors.Next(start + anchor); p != std::string_view::npos; p = anchors.Next(p + 1)) {
    const size_t from = p - anchor;
    size_t k = 0;
    while (k < wanted.size() &&
           upper[static_cast<unsigned char>(data[from + k])] == static_cast<unsigned char>(wanted[k])) {
      ++k;
    }
    if (k == wanted.size()) {
      start = from + text.size();
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
  const size_t close = ClosingQuote(data, i, quote, escapes);
  // The text is never longer than the bytes up to the closing quote: room
  // for those is made once, so a long database holds no spare capacity.
  text.reserve(close - i);
  // Runs of ordinary bytes are appended whole; only the escape and the
  // line-break bytes need a look of their own.
  ByteCursor specials(data, escapes ? "\\\r\n" : "\r\n", i, close);
  while (true) {
    const size_t special = specials.Next(i);
    const size_t runEnd = special == std::string_view::npos ? close : special;
    text.append(data.data() + i, runEnd - i);
    i = runEnd;
    if (special == std::string_view::npos) break;
    const char c = data[i++];
    if (c == '\\') {
      if (i < close) text.push_back(data[i++]);
    } else if (c == '\r') {
      text.push_back(' ');
    }  // a line feed gives nothing
  }
  pos = close < data.size() ? close + 1 : data.size();
  return text;
}

}  // namespace qm
