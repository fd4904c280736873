// The byte-level tokenizer that every text the indexing engine reads goes
// through (web pages, plain text, temporary pages, the settings files), and
// the scans around it on the same in-memory source.
//
// The tokenizer works on bytes. Outside UTF-8 text a byte of 0x80 or above is
// a letter when the system code page says so. In UTF-8 text (UTF-8 mode, or
// UTF-8 as the code page) such bytes are letters too, except that a
// well-formed sequence of a blank, punctuation or symbol character (U+00A0,
// quotation marks, dashes, (c), ...) is one symbol token and ends a word; the
// typographic apostrophe U+2019 is dropped inside a word like "'". Text is
// never converted here. Character references are decoded inside words into
// the character set the surrounding text is in (TokenizerMode::ReferenceCharset).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "indexing/ProgramSettings.h"

namespace qm {

// The kinds of token NextToken returns; the codes are fixed (3 is unused).
enum class TokenKind : int {
  End = 0,                        // "" : no more bytes
  Number = 1,                     // a digit, then digits and , - . :
  Space = 2,                      // " " : one whitespace or control byte
  Symbol = 4,                     // one other character
  TagOpen = 5,                    // "<"
  TagEnd = 6,                     // ">"
  EndTagOpen = 7,                 // "</"
  EmptyTagEnd = 8,                // "/>"
  CommentOpen = 9,                // "<!-"
  CommentEnd = 10,                // "->"
  DeclarationOpen = 11,           // "<!"
  ProcessingInstructionOpen = 12, // "<?"
  Word = 13,                      // letters, digits, joined characters; ".net"
};

// The switches that steer the tokenizer. They are the program-wide indexing
// switches (ProgramSettings) plus the character set references decode into;
// a source copies them when it is made and they may be changed between tokens.
struct TokenizerMode {
  bool UTF8Mode = false;                 // every byte >= 0x80 is a letter
  bool ProgrammingLanguageMode = false;  // keep "_", "c++/", "tcp/", "wi-" ...
  // Charset group (platform/Unicode.h) whose bytes a decoded character
  // reference gives; 0 means the system code page. See ReferenceCharsetFor.
  int ReferenceCharset = 0;
};

// The charset group character references of a page decode into: in UTF-8
// mode the page's own charset (what the later conversion of the page's text
// decodes with: empty means the system code page), otherwise the system code
// page, whose bytes the database then keeps as they are.
// Groups that give the same bytes for every character give the same result
// (with UTF-8 as the code page, the system code page and utf-8 are both 3), so
// two results can be compared to know whether references decode alike.
int ReferenceCharsetFor(std::string_view pageCharset, bool utf8Mode);

// Tokens as a source returned them, kept to read a page a second time without
// tokenizing it again (HtmlSource::SetTokenLog).
class TokenLog {
 public:
  // Forgets every token; the log is complete again.
  void Clear();
  // Makes room for about `textBytes` bytes of text in tokens, so that
  // appending does not grow the log piece by piece.
  void Reserve(size_t textBytes);
  size_t Size() const { return entries_.size(); }
  TokenKind Kind(size_t i) const { return entries_[i].kind; }
  // Valid until the log changes.
  std::string_view Text(size_t i) const {
    const size_t begin = i == 0 ? 0 : entries_[i - 1].end;
    return std::string_view(texts_.get() + begin, entries_[i].end - begin);
  }
  // False once a token was left out because the texts would have exceeded
  // the limit given to SetTokenLog (or 4 GiB); the log then holds the tokens
  // before it.
  bool Complete() const { return complete_; }
  size_t TextBytes() const { return used_; }

  // Appends a token unless that would take the texts beyond `maxTextBytes`
  // (then nothing more is appended until Clear).
  void Append(TokenKind kind, std::string_view text, size_t maxTextBytes) {
    // Every token of a page passes here: the common case (room reserved,
    // limit far off, a short text) is inline and copies without a call.
    if (complete_ && text.size() <= 8 && text.size() <= capacity_ - used_ &&
        used_ + text.size() <= maxTextBytes) {
      CopyShort(texts_.get() + used_, text.data(), text.size());
      used_ += text.size();
      entries_.push_back(Entry{static_cast<uint32_t>(used_), kind});
      return;
    }
    AppendLong(kind, text, maxTextBytes);
  }

 private:
  // Append for the cases the inline path leaves: long texts, growth, the limit.
  void AppendLong(TokenKind kind, std::string_view text, size_t maxTextBytes);
  // Copies `n` (at most 8) bytes with a few overlapping loads and stores
  // that stay inside both ranges, in place of a loop or a library call.
  static void CopyShort(char* to, const char* from, size_t n) {
    if (n >= 4) {
      uint32_t head, tail;
      std::memcpy(&head, from, 4);
      std::memcpy(&tail, from + n - 4, 4);
      std::memcpy(to, &head, 4);
      std::memcpy(to + n - 4, &tail, 4);
    } else if (n > 0) {
      const char first = from[0], middle = from[n / 2], last = from[n - 1];
      to[0] = first;
      to[n / 2] = middle;
      to[n - 1] = last;
    }
  }

  // Texts are kept to 4 GiB - 1 bytes, so that an entry takes 8 bytes: a
  // page has thousands of tokens, and the log is read back while it is still
  // in the cache.
  static constexpr size_t kMostTextBytes = UINT32_MAX;
  struct Entry {
    uint32_t end;  // end of the token's text in texts_
    TokenKind kind;
  };
  // Grows the text buffer to hold at least `bytes` (at most kMostTextBytes).
  void Grow(size_t bytes);

  std::vector<Entry> entries_;
  // The texts one after the other: used_ of capacity_ bytes.
  std::unique_ptr<char[]> texts_;
  size_t used_ = 0;
  size_t capacity_ = 0;
  bool complete_ = true;
};

// The tokenizer mode for a page in `pageCharset` (empty: the system code
// page) under the program-wide switches.
TokenizerMode TokenizerModeFor(const ProgramSettings& program, std::string_view pageCharset = {});

// Reads the whole regular file at `path` into `data`. False, with `data`
// empty, when it cannot be read or is larger than 4 GiB - 1 (sizes are 32-bit).
bool ReadSourceFile(const std::string& path, std::string& data);

// One file read whole into memory, with a read position and the tokenizer.
// Reading never fails: an unreadable file is an empty source, and every
// operation ends quietly at the end of the data. Nothing is read outside the
// data, whatever the position.
class HtmlSource {
 public:
  HtmlSource() { PrepareLetters(); }
  explicit HtmlSource(const TokenizerMode& mode) : mode_(mode) { PrepareLetters(); }

  // Reads the whole file at `path` (a regular file; others may read it too).
  // A file that cannot be read, or is larger than 4 GiB - 1, gives an empty
  // source. Returns whether the file was read. Position 0, no pending space.
  bool OpenSource(const std::string& path);
  // Makes a source of bytes already in memory (position 0, no pending space).
  void OpenBytes(std::string data);
  // Releases the bytes; the source is then empty.
  void CloseSource();

  // Copies up to `count` bytes from the position into `buffer`, advances the
  // position by the number copied and returns it (0 at or past the end, or
  // before the start).
  size_t ReadBytes(void* buffer, size_t count);
  // origin 0: position = offset; 1: position += offset; 2: position = size +
  // offset. Returns the new position. No bounds check: reads outside the data
  // give nothing.
  int64_t SeekSource(int64_t offset, int origin);

  // Reads the next token: returns its kind and puts its text into `text`
  // (replacing what was there). A word ended by a whitespace byte leaves a
  // pending space, which the next call returns as a space token without
  // reading; the pending space belongs to this source (OpenSource and
  // OpenBytes clear it, SeekSource does not).
  TokenKind NextToken(std::string& text) {
    std::string_view view;
    const TokenKind kind = NextToken(view);
    text.assign(view);
    return kind;
  }
  // The same with the token's text as a view, valid until the next token is
  // read or the source changes: most tokens are runs of the data, which are
  // then not copied.
  TokenKind NextToken(std::string_view& text) {
    const TokenKind kind = ReadToken(text);
    if (log_ != nullptr) log_->Append(kind, text, logLimit_);
    return kind;
  }

  // While `log` is set (not null), every token NextToken returns (the end
  // token included) is appended to it, up to `maxTextBytes` bytes of text.
  // The log must outlive its use; FindElement and SkipToTagEnd log too.
  void SetTokenLog(TokenLog* log, size_t maxTextBytes);

  // Decodes a character reference whose "&" has just been read, consuming
  // its bytes, into `result` (replaced):
  //   "&#" decimal or "&#x" hex: the character in ReferenceCharset when it is
  //     a letter ("?" when that set lacks it); a blank for a non-letter, a
  //     malformed value or an invalid code point;
  //   a name of the entity table (case-sensitive; letters then letters or
  //     digits): its character ("nbsp" a blank, "mdash"/"ndash" a hyphen,
  //     "apos" a grave accent); the byte ending the name is dropped;
  //   an unknown name: "&" followed by the name;
  //   "&" then any other byte: "& " (that byte consumed);
  //   the end of the data after "&" or "&#": a single NUL byte.
  void DecodeEntity(std::string& result);

  // Reads tokens until a tag open followed by a word whose text, lower-cased
  // in the system code page, equals `name` (given in lower case); the position
  // is then just after that word. The token after every tag open is consumed.
  // False at the end of the data.
  bool FindElement(std::string_view name);

  // Reads tokens up to and including a tag end or empty-tag end (true) or the
  // end of the data (false).
  bool SkipToTagEnd();

  // Case-insensitive search of the raw bytes for `text` from byte `start` on
  // (database/ByteScan.h FindText). On success `start` and the position are
  // set just after the match.
  bool FindText(std::string_view text, size_t& start);

  // Reads a quoted text from the position (database/ByteScan.h ReadQuoted):
  // up to and including the next `quote`, then the bytes up to the following
  // one, which is consumed. With the apostrophe a backslash takes the next
  // byte unchanged; CR gives a blank and LF nothing. Empty when the position
  // is outside the data.
  std::string ReadQuoted(char quote);

  std::string_view Data() const { return data_; }
  size_t Size() const { return data_.size(); }
  int64_t Position() const { return pos_; }
  bool PendingSpace() const { return pendingSpace_; }

  TokenizerMode& Mode() { return mode_; }
  const TokenizerMode& Mode() const { return mode_; }

 private:
  // What a character reference gave: a character's bytes, a blank (which
  // ends a word like whitespace), or literal text (an unknown name or a lone
  // "&"), after which a word gets a blank.
  enum class ReferenceKind { Character, Blank, Literal };

  int ReadByte();  // the next byte, or -1 outside the data (position kept)
  int PeekByte(size_t ahead = 0) const;
  enum class CharClass { Letter, Digit, Other };
  // The class of the character at byte `at` for word building, and its
  // length in bytes (1 except for a UTF-8 sequence); Other outside the data.
  // `cp` receives the code point of a UTF-8 sequence.
  CharClass ClassAt(int64_t at, size_t& length, char32_t* cp = nullptr) const;
  TokenKind ReadToken(std::string_view& text);
  class WordText;
  TokenKind ReadWord(std::string_view& text);
  TokenKind ReadNumber(std::string_view& text);
  bool TakeGreaterThan(std::string_view& text);
  ReferenceKind DecodeReference(std::string& out);
  void PrepareLetters();

  std::string data_;
  int64_t pos_ = 0;
  bool pendingSpace_ = false;
  TokenizerMode mode_;
  std::string entity_;  // scratch for references inside words
  std::string word_;    // text of a word that is not a run of the data
  TokenLog* log_ = nullptr;
  size_t logLimit_ = 0;
  // Byte classes (letter, digit, high byte of UTF-8 text) for the code page
  // and the UTF-8 mode they were built with.
  unsigned char class_[256] = {};
  bool classUtf8_ = false;
};

}  // namespace qm
