#include "indexing/HTMLParser.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>

#include "database/ByteScan.h"
#include "indexing/Entities.h"
#include "platform/CodePage.h"
#include "platform/CodePageTables.h"
#include "platform/Env.h"
#include "platform/Unicode.h"

namespace qm {
namespace {

constexpr unsigned char kLetter = 1;
constexpr unsigned char kDigit = 2;
// A byte of 0x80 or above in UTF-8 text: a letter, unless it begins a
// well-formed sequence of a blank, punctuation or symbol character.
constexpr unsigned char kUtf8 = 4;

// The code point of the well-formed UTF-8 sequence at data[at] and its
// length; 0 when the bytes there are not one (overlong forms, surrogates and
// values above U+10FFFF included).
size_t DecodeUtf8(std::string_view data, size_t at, char32_t& cp) {
  const auto b = static_cast<unsigned char>(data[at]);
  size_t length;
  char32_t least;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2, least = 0x80, cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, least = 0x800, cp = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, least = 0x10000, cp = b & 0x07;
  } else {
    return 0;
  }
  if (data.size() - at < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto t = static_cast<unsigned char>(data[at + i]);
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

// Blanks, punctuation and symbols separate words; every other character
// (letters, marks, digits, format characters such as the soft hyphen) is
// part of one.
bool IsWordCharacter(char32_t cp) {
  switch (u_charType(static_cast<UChar32>(cp))) {
    case U_SPACE_SEPARATOR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
    case U_CONTROL_CHAR:
    case U_DASH_PUNCTUATION:
    case U_START_PUNCTUATION:
    case U_END_PUNCTUATION:
    case U_CONNECTOR_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
    case U_INITIAL_PUNCTUATION:
    case U_FINAL_PUNCTUATION:
    case U_MATH_SYMBOL:
    case U_CURRENCY_SYMBOL:
    case U_MODIFIER_SYMBOL:
    case U_OTHER_SYMBOL:
      return false;
    default:
      return true;
  }
}

// The typographic apostrophe, dropped inside a word like "'".
constexpr char32_t kRightSingleQuote = 0x2019;

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(int c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(int c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

// True when `text`, lower-cased in the system code page, equals `lower`.
bool LowerEquals(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (CharLowerA(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(lower[i])) {
      return false;
    }
  }
  return true;
}

// The largest code point plus one; values are clamped to it while digits are
// collected, so any number of digits stays bounded and invalid.
constexpr uint32_t kPastLastCodePoint = 0x110000;

uint32_t AddDigit(uint32_t value, uint32_t base, int digit) {
  const uint64_t next = static_cast<uint64_t>(value) * base + static_cast<uint64_t>(digit);
  return next >= kPastLastCodePoint ? kPastLastCodePoint : static_cast<uint32_t>(next);
}

bool IsValidCodePoint(uint32_t code) {
  return code != 0 && code < kPastLastCodePoint && !(code >= 0xD800 && code <= 0xDFFF);
}

}  // namespace

int ReferenceCharsetFor(std::string_view pageCharset, bool utf8Mode) {
  const int group =
      !utf8Mode || pageCharset.empty() ? kCharsetUnknown : CharsetIndex(pageCharset);
  // The canonical group among those AppendCharacter encodes alike.
  if (group == kCharsetUtf8 || group >= kFirstTableGroup) {
    if (!SystemCodePageIsUTF8() && group == CharsetIndex(SystemCodePageName())) return kCharsetUnknown;
    return group;
  }
  // Groups 0, 1, 2 and 4 stand for the system code page.
  if (!SystemCodePageIsUTF8()) return kCharsetUnknown;
  return group == kCharsetLatin1 ? kCharsetWindows1252 : kCharsetUtf8;
}

void TokenLog::Clear() {
  entries_.clear();
  used_ = 0;
  complete_ = true;
}

void TokenLog::Grow(size_t bytes) {
  if (bytes <= capacity_) return;
  const size_t capacity = std::min(std::max(bytes, 2 * capacity_), kMostTextBytes);
  auto texts = std::make_unique_for_overwrite<char[]>(capacity);
  if (used_ > 0) std::memcpy(texts.get(), texts_.get(), used_);
  texts_ = std::move(texts);
  capacity_ = capacity;
}

void TokenLog::Reserve(size_t textBytes) {
  textBytes = std::min(textBytes, kMostTextBytes);
  Grow(textBytes);
  // Pages run at about one token for every two or three bytes.
  entries_.reserve(textBytes / 2 + 16);
}

void TokenLog::AppendLong(TokenKind kind, std::string_view text, size_t maxTextBytes) {
  if (!complete_) return;
  maxTextBytes = std::min(maxTextBytes, kMostTextBytes);
  if (text.size() > maxTextBytes || used_ > maxTextBytes - text.size()) {
    complete_ = false;
    return;
  }
  Grow(used_ + text.size());
  if (!text.empty()) std::memcpy(texts_.get() + used_, text.data(), text.size());
  used_ += text.size();
  entries_.push_back(Entry{static_cast<uint32_t>(used_), kind});
}

TokenizerMode TokenizerModeFor(const ProgramSettings& program, std::string_view pageCharset) {
  TokenizerMode mode;
  mode.UTF8Mode = program.UTF8ModeFlag;
  mode.ProgrammingLanguageMode = program.ProgrammingLanguageMode;
  mode.ReferenceCharset = ReferenceCharsetFor(pageCharset, program.UTF8ModeFlag);
  return mode;
}

// ---------------------------------------------------------------------------
// The source

bool ReadSourceFile(const std::string& path, std::string& data) {
  data.clear();
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  // A larger file is treated as unreadable rather than loaded into memory.
  if (error || size > std::numeric_limits<uint32_t>::max()) return false;
  if (Env::Default().ReadFile(path, &data)) return true;
  data.clear();
  return false;
}

bool HtmlSource::OpenSource(const std::string& path) {
  CloseSource();
  const bool read = ReadSourceFile(path, data_);
  PrepareLetters();
  return read;
}

void HtmlSource::OpenBytes(std::string data) {
  CloseSource();
  data_ = std::move(data);
  PrepareLetters();
}

void HtmlSource::CloseSource() {
  data_.clear();
  data_.shrink_to_fit();
  pos_ = 0;
  pendingSpace_ = false;
}

size_t HtmlSource::ReadBytes(void* buffer, size_t count) {
  if (pos_ < 0 || static_cast<uint64_t>(pos_) >= data_.size()) return 0;
  const size_t n = std::min(count, data_.size() - static_cast<size_t>(pos_));
  if (n > 0) std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += static_cast<int64_t>(n);
  return n;
}

int64_t HtmlSource::SeekSource(int64_t offset, int origin) {
  switch (origin) {
    case 0: pos_ = offset; break;
    case 1: pos_ += offset; break;
    case 2: pos_ = static_cast<int64_t>(data_.size()) + offset; break;
    default: break;
  }
  return pos_;
}

void HtmlSource::PrepareLetters() {
  // High bytes are UTF-8 text in UTF-8 mode and with UTF-8 as the code page.
  const bool utf8Text = mode_.UTF8Mode || SystemCodePageIsUTF8();
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    unsigned char cls = 0;
    if (IsDigit(c)) {
      cls = kDigit;
    } else if (c >= 0x80 && utf8Text) {
      cls = kUtf8;
    } else if (IsCharAlphaA(c)) {
      cls = kLetter;
    }
    class_[c] = cls;
  }
  classUtf8_ = mode_.UTF8Mode;
}

int HtmlSource::ReadByte() {
  if (pos_ < 0 || static_cast<uint64_t>(pos_) >= data_.size()) return -1;
  return static_cast<unsigned char>(data_[static_cast<size_t>(pos_++)]);
}

int HtmlSource::PeekByte(size_t ahead) const {
  if (pos_ < 0) return -1;
  const uint64_t at = static_cast<uint64_t>(pos_) + ahead;
  if (at >= data_.size()) return -1;
  return static_cast<unsigned char>(data_[static_cast<size_t>(at)]);
}

HtmlSource::CharClass HtmlSource::ClassAt(int64_t at, size_t& length, char32_t* cp) const {
  length = 1;
  if (at < 0 || static_cast<uint64_t>(at) >= data_.size()) return CharClass::Other;
  const unsigned char cls = class_[static_cast<unsigned char>(data_[static_cast<size_t>(at)])];
  if (cls & kLetter) return CharClass::Letter;
  if (cls & kDigit) return CharClass::Digit;
  if (!(cls & kUtf8)) return CharClass::Other;
  char32_t code = 0;
  const size_t n = DecodeUtf8(data_, static_cast<size_t>(at), code);
  if (n == 0) return CharClass::Letter;  // not UTF-8: a letter, byte by byte
  length = n;
  if (cp != nullptr) *cp = code;
  return IsWordCharacter(code) ? CharClass::Letter : CharClass::Other;
}

// ---------------------------------------------------------------------------
// Tokens

void HtmlSource::SetTokenLog(TokenLog* log, size_t maxTextBytes) {
  log_ = log;
  logLimit_ = maxTextBytes;
  // The texts of the tokens of the rest of the data are about as long as it.
  const size_t rest = pos_ >= 0 && static_cast<uint64_t>(pos_) < data_.size()
                          ? data_.size() - static_cast<size_t>(pos_)
                          : 0;
  if (log_ != nullptr) log_->Reserve(std::min(rest, maxTextBytes) + 64);
}

TokenKind HtmlSource::ReadToken(std::string_view& text) {
  // Every token but a word with a dropped byte or a decoded reference is a
  // run of the data itself (or a fixed text), so its text is a view: no
  // bytes are copied for it.
  static constexpr std::string_view kBlank = " ";
  if (pendingSpace_) {
    pendingSpace_ = false;
    text = kBlank;
    return TokenKind::Space;
  }
  if (classUtf8_ != mode_.UTF8Mode) PrepareLetters();
  const int c = ReadByte();
  if (c < 0) {
    text = {};
    return TokenKind::End;
  }
  const unsigned char cls = class_[c];
  if ((cls & kLetter) || c == '&' || (mode_.ProgrammingLanguageMode && c == '_')) {
    --pos_;
    return ReadWord(text);
  }
  const size_t at = static_cast<size_t>(pos_ - 1);
  if (cls & kUtf8) {
    size_t length = 1;
    if (ClassAt(pos_ - 1, length) == CharClass::Letter) {
      --pos_;
      return ReadWord(text);
    }
    // A blank, punctuation or symbol character of UTF-8 text: one symbol.
    text = std::string_view(data_).substr(at, length);
    pos_ += static_cast<int64_t>(length - 1);
    return TokenKind::Symbol;
  }
  if (c <= 0x20) {
    text = kBlank;
    return TokenKind::Space;
  }
  text = std::string_view(data_).substr(at, 1);
  switch (c) {
    case '-':
      return TakeGreaterThan(text) ? TokenKind::CommentEnd : TokenKind::Symbol;
    case '.': {
      // ".net" is a word of its own; the three letters are read again as the
      // next word.
      const int n = PeekByte(0), e = PeekByte(1), t = PeekByte(2);
      if ((n | 0x20) == 'n' && (e | 0x20) == 'e' && (t | 0x20) == 't' && t >= 0) {
        text = ".net";
        return TokenKind::Word;
      }
      return TokenKind::Symbol;
    }
    case '/':
      return TakeGreaterThan(text) ? TokenKind::EmptyTagEnd : TokenKind::Symbol;
    case '<': {
      const int n = ReadByte();
      if (n < 0) {
        text = {};
        return TokenKind::End;
      }
      if (n == '/') {
        text = std::string_view(data_).substr(at, 2);
        return TokenKind::EndTagOpen;
      }
      if (n == '?') {
        text = std::string_view(data_).substr(at, 2);
        return TokenKind::ProcessingInstructionOpen;
      }
      if (n == '!') {
        const int m = ReadByte();
        if (m < 0) {
          text = {};
          return TokenKind::End;
        }
        if (m == '-') {
          text = std::string_view(data_).substr(at, 3);
          return TokenKind::CommentOpen;
        }
        --pos_;
        text = std::string_view(data_).substr(at, 2);
        return TokenKind::DeclarationOpen;
      }
      --pos_;
      return TokenKind::TagOpen;
    }
    case '>':
      return TokenKind::TagEnd;
    default:
      break;
  }
  if (IsDigit(c)) return ReadNumber(text);
  return TokenKind::Symbol;
}

// Consumes a ">" that follows, extending `text` (the byte before it) over
// it; false when the next byte is something else.
bool HtmlSource::TakeGreaterThan(std::string_view& text) {
  if (PeekByte() != '>') return false;
  ++pos_;
  text = std::string_view(text.data(), 2);
  return true;
}

// A number: the first digit is `text`, the byte before the position; digits
// and , - . : follow. A "d" makes it a word that ends there ("3D").
TokenKind HtmlSource::ReadNumber(std::string_view& text) {
  const size_t at = static_cast<size_t>(pos_ - 1);
  TokenKind kind = TokenKind::Number;
  for (;;) {
    const int b = ReadByte();
    if (b < 0) break;
    if (IsDigit(b) || b == ',' || b == '-' || b == '.' || b == ':') continue;
    if (b == 'd' || b == 'D') {
      kind = TokenKind::Word;
      break;
    }
    --pos_;
    break;
  }
  text = std::string_view(data_).substr(at, static_cast<size_t>(pos_) - at);
  return kind;
}

// The text of a word as it is read: a view of the data while the word is
// one run of it, a copy in `scratch` from the first byte that is dropped or
// replaced (a reference, an apostrophe).
class HtmlSource::WordText {
 public:
  WordText(std::string_view data, std::string& scratch) : data_(data), scratch_(scratch) {}

  // Adds the data bytes [at, at + n).
  void AppendData(size_t at, size_t n) {
    if (!copied_) {
      if (length_ == 0) begin_ = at;
      if (begin_ + length_ == at) {
        length_ += n;
        return;
      }
      Copy();
    }
    scratch_.append(data_.data() + at, n);
  }
  // Adds bytes that are not the data's own at this place.
  void AppendOther(std::string_view bytes) {
    if (bytes.empty()) return;
    if (!copied_) Copy();
    scratch_.append(bytes);
  }
  std::string_view View() const {
    return copied_ ? std::string_view(scratch_) : data_.substr(begin_, length_);
  }
  bool Empty() const { return copied_ ? scratch_.empty() : length_ == 0; }

 private:
  void Copy() {
    scratch_.assign(data_.data() + begin_, length_);
    copied_ = true;
  }

  std::string_view data_;
  std::string& scratch_;
  size_t begin_ = 0;
  size_t length_ = 0;
  bool copied_ = false;
};

TokenKind HtmlSource::ReadWord(std::string_view& result) {
  WordText text(data_, word_);
  const char* data = data_.data();
  const size_t size = data_.size();
  for (;;) {
    // Runs of letters and digits, the bulk of any word, are taken at once.
    const size_t at = static_cast<size_t>(pos_);
    size_t end = at;
    while (end < size) {
      const unsigned char cls = class_[static_cast<unsigned char>(data[end])];
      if (cls & (kLetter | kDigit)) {
        ++end;
        continue;
      }
      size_t length;
      if (!(cls & kUtf8) || ClassAt(static_cast<int64_t>(end), length) != CharClass::Letter) break;
      end += length;
    }
    if (end > at) {
      text.AppendData(at, end - at);
      pos_ = static_cast<int64_t>(end);
    }
    result = text.View();
    int c = ReadByte();
    if (c < 0) return TokenKind::Word;
    // The byte just read, when it joins the word.
    const size_t byteAt = static_cast<size_t>(pos_ - 1);
    if (c >= 0x80) {
      // A character of UTF-8 text that is no letter: the typographic
      // apostrophe is dropped like "'", anything else ends the word.
      size_t length;
      char32_t cp = 0;
      ClassAt(pos_ - 1, length, &cp);
      if (length > 1 && cp == kRightSingleQuote) {
        pos_ += static_cast<int64_t>(length - 1);
        continue;
      }
      --pos_;
      return TokenKind::Word;
    }
    if (c == '-') {
      // A "-" before ">" or at the very end is not part of the word: "->" or
      // the symbol "-" is read next.
      const int n = PeekByte();
      if (n == '>' || n < 0) {
        --pos_;
        return TokenKind::Word;
      }
    } else if (c <= 0x20) {
      if (text.Empty()) {
        result = " ";
        return TokenKind::Space;
      }
      pendingSpace_ = true;
      return TokenKind::Word;
    } else if (c == '&') {
      const ReferenceKind kind = DecodeReference(entity_);
      if (kind == ReferenceKind::Blank) {
        if (text.Empty()) {
          result = " ";
          return TokenKind::Space;
        }
        pendingSpace_ = true;
        return TokenKind::Word;
      }
      text.AppendOther(entity_);
      if (kind == ReferenceKind::Literal && entity_.size() >= 2) text.AppendOther(" ");
      continue;
    } else if (c == '\'') {
      continue;  // "don't" gives "dont"
    }
    switch (c) {
      case '+':
        if (LowerEquals(result, "c") || LowerEquals(result, "c+") || LowerEquals(result, "com")) {
          text.AppendData(byteAt, 1);
          continue;
        }
        break;
      case '#':
        if (LowerEquals(result, "c")) {
          text.AppendData(byteAt, 1);
          continue;
        }
        break;
      case '.':
        if (LowerEquals(result, "asp") || LowerEquals(result, "x")) {
          text.AppendData(byteAt, 1);
          continue;
        }
        break;
      default:
        break;
    }
    if (mode_.ProgrammingLanguageMode) {
      if (c == '_' || (c == '/' && (LowerEquals(result, "c++") || LowerEquals(result, "tcp"))) ||
          (c == '-' && (LowerEquals(result, "wi") || LowerEquals(result, "objective")))) {
        text.AppendData(byteAt, 1);
        continue;
      }
    }
    if (c == '-' || c == '/' || c == '\\') {
      // Hyphenated words, paths and dates stay one word.
      size_t length;
      if (ClassAt(pos_, length) != CharClass::Other) {
        text.AppendData(byteAt, 1);
        continue;
      }
    }
    --pos_;
    return TokenKind::Word;
  }
}

// ---------------------------------------------------------------------------
// Character references

void HtmlSource::DecodeEntity(std::string& result) {
  const ReferenceKind kind = DecodeReference(result);
  if (kind == ReferenceKind::Blank) result.assign(1, ' ');
}

HtmlSource::ReferenceKind HtmlSource::DecodeReference(std::string& out) {
  out.clear();
  const int b = ReadByte();
  if (b < 0) {
    out.push_back('\0');
    return ReferenceKind::Character;
  }
  if (b == '#') {
    int n = ReadByte();
    if (n < 0) {
      out.push_back('\0');
      return ReferenceKind::Character;
    }
    uint32_t code = 0;
    bool valid = true;
    if (n == 'x') {
      // Hexadecimal: the digits that follow; the byte after them is dropped.
      bool any = false;
      while ((n = ReadByte()) >= 0 && IsHexDigit(n)) {
        code = AddDigit(code, 16, HexValue(n));
        any = true;
      }
      if (!any) code = '?';
    } else {
      // Decimal: this byte and the hexadecimal digits after it, which must
      // all be decimal; the byte after them is dropped.
      bool decimal = IsDigit(n);
      code = decimal ? static_cast<uint32_t>(n - '0') : 0;
      while ((n = ReadByte()) >= 0 && IsHexDigit(n)) {
        if (IsDigit(n)) {
          code = AddDigit(code, 10, n - '0');
        } else {
          decimal = false;
        }
      }
      if (!decimal) code = '?';
    }
    valid = IsValidCodePoint(code);
    if (!valid || !u_isalpha(static_cast<UChar32>(code))) return ReferenceKind::Blank;
    AppendCharacter(static_cast<char32_t>(code), mode_.ReferenceCharset, out);
    return ReferenceKind::Character;
  }
  size_t length;
  if (ClassAt(pos_ - 1, length) == CharClass::Letter) {
    // A name: a letter, then letters and digits; the byte after it (usually
    // ";") is dropped.
    const size_t start = static_cast<size_t>(pos_) - 1;
    size_t end = start + length;
    while (ClassAt(static_cast<int64_t>(end), length) != CharClass::Other) end += length;
    const std::string_view name(data_.data() + start, end - start);
    pos_ = static_cast<int64_t>(end);
    if (end < data_.size()) ++pos_;
    const long code = LookupEntity(name);
    if (code < 0) {
      out.push_back('&');
      out.append(name);
      return ReferenceKind::Literal;
    }
    if (code == ' ') return ReferenceKind::Blank;
    AppendCharacter(static_cast<char32_t>(code), mode_.ReferenceCharset, out);
    return ReferenceKind::Character;
  }
  out = "& ";
  return ReferenceKind::Literal;
}

// ---------------------------------------------------------------------------
// Scans

bool HtmlSource::FindElement(std::string_view name) {
  std::string_view text;
  for (;;) {
    TokenKind kind = NextToken(text);
    if (kind == TokenKind::End) return false;
    if (kind != TokenKind::TagOpen) continue;
    kind = NextToken(text);
    if (kind == TokenKind::End) return false;
    if (kind == TokenKind::Word && LowerEquals(text, name)) return true;
  }
}

bool HtmlSource::SkipToTagEnd() {
  std::string_view text;
  for (;;) {
    const TokenKind kind = NextToken(text);
    if (kind == TokenKind::End) return false;
    if (kind == TokenKind::TagEnd || kind == TokenKind::EmptyTagEnd) return true;
  }
}

bool HtmlSource::FindText(std::string_view text, size_t& start) {
  size_t at = start;
  if (!qm::FindText(data_, text, at)) return false;
  start = at;
  pos_ = static_cast<int64_t>(at);
  return true;
}

std::string HtmlSource::ReadQuoted(char quote) {
  if (pos_ < 0) return {};
  size_t at = static_cast<size_t>(pos_);
  std::string text = qm::ReadQuoted(data_, at, quote);
  if (at > static_cast<size_t>(pos_)) pos_ = static_cast<int64_t>(at);
  return text;
}

}  // namespace qm
