#include "indexing/TextPieces.h"

namespace qm {

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
  unsigned char any = 0;
  for (char c : text) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

bool AsciiLowerView(std::string_view text, std::string& scratch, std::string_view& lowered) {
  unsigned char any = 0;
  bool capital = false;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    any |= c;
    capital |= c >= 'A' && c <= 'Z';
  }
  if (any >= 0x80) return false;
  if (!capital) {
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
