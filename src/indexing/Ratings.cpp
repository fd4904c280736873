#include "indexing/Ratings.h"

#include <algorithm>
#include <limits>

#include "database/SelectionOrder.h"
#include "database/TextForms.h"
#include "indexing/TextPieces.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"

namespace qm {
namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Bytes that never begin a candidate: a blank, a double quote, an asterisk,
// "<", ">", "&" and control bytes.
bool IsExcludedFirstByte(unsigned char c) {
  return c <= 0x20 || c == '"' || c == '*' || c == '<' || c == '>' || c == '&';
}

// A page word or number is a candidate unless it begins with an excluded
// byte, the copyright sign or the trade mark sign. The signs are looked for as
// characters (the stored text is UTF-8 in UTF-8 mode and in the system code
// page otherwise) and as the bytes 0xA9 and 0x99 that stand for them in the
// Western and Cyrillic code pages.
bool IsCandidateWord(std::string_view stored, bool utf8Mode) {
  if (stored.empty()) return false;
  const unsigned char first = static_cast<unsigned char>(stored[0]);
  if (IsExcludedFirstByte(first)) return false;
  if (first < 0x80) return true;
  if (first == 0xA9 || first == 0x99) return false;
  const std::string_view head = stored.substr(0, 4);
  const WideString wide = utf8Mode ? UTF8ToWide(head) : SystemToWide(head);
  return wide.empty() || (wide[0] != u'\u00A9' && wide[0] != u'\u2122');
}

// The lower-cased form of a stored word (LowerText), with a fast way for
// ASCII; the result may be `word` itself or `scratch`.
std::string_view LowerWord(std::string_view word, bool utf8Mode, std::string& scratch) {
  std::string_view lowered;
  if (AsciiLowerView(word, scratch, lowered)) return lowered;
  scratch = LowerText(word, utf8Mode);
  return scratch;
}

// An element name lower-cased in the system code page (LowerBytes).
std::string_view LowerName(std::string_view name, std::string& scratch) {
  std::string_view lowered;
  if (AsciiLowerView(name, scratch, lowered)) return lowered;
  scratch = LowerBytes(name);
  return scratch;
}

int32_t ClampPosition(int64_t position) {
  return static_cast<int32_t>(std::min<int64_t>(position, std::numeric_limits<int32_t>::max()));
}

}  // namespace

void TidyDescription(std::string& description) {
  for (std::string_view run : {"          ", "        ", "    ", "  "}) {
    ReplaceAll(description, run, " ");
  }
}

TRating::TRating(ProgramSettings& program) : program_(program) {}

bool TRating::LoadSettings(const SettingsFiles& files) {
  settings_ = RatingSettings{};
  tableValid_ = false;
  return qm::LoadSettings(files, settings_, program_);
}

RatingSettings& TRating::EditSettings() {
  tableValid_ = false;  // group answers may change
  return settings_;
}

std::vector<TWordRecord>& TRating::EditWords() {
  tableValid_ = false;
  return words_;
}

void TRating::ResetState() {
  words_.clear();
  groups_.clear();
  dropped_.clear();
  table_.Clear();
  tableValid_ = true;
  openTags_.clear();
  tagSums_.clear();
  suppressed_ = false;
}

// ---------------------------------------------------------------- elements

void TRating::PushTag(std::string_view name) {
  const RatingSettings& settings = Settings();
  TTagRating entry;
  entry.Tag.assign(name);
  if (const TTagRating* rated = settings.FindTag(name)) {
    entry.Rating = rated->Rating;
    if (entry.Rating < settings.TagsMinimalRating) {
      entry.BelowMinimum = true;
      suppressed_ = true;
    }
  }
  const double below = tagSums_.empty() ? 0.0 : tagSums_.back();
  tagSums_.push_back(below + entry.Rating / 100.0);
  openTags_.push_back(std::move(entry));
}

void TRating::PopTag(std::string_view name) {
  for (size_t k = openTags_.size(); k-- > 0;) {
    if (openTags_[k].Tag == name) {
      if (openTags_[k].BelowMinimum) suppressed_ = false;
      openTags_.resize(k);
      tagSums_.resize(k);
      return;
    }
  }
  openTags_.clear();
  tagSums_.clear();
}

// ---------------------------------------------------------------- candidates

bool TRating::IsDropped(const WordGroupMatch& groups) const {
  return groups.InAnyGroup && groups.MinRating < Settings().StopWordsMinimalRating;
}

void TRating::IndexWords() {
  table_.Clear();
  dropped_.clear();
  groups_.clear();
  groups_.reserve(words_.size());
  auto textOf = [this](int32_t id) -> std::string_view { return words_[static_cast<size_t>(id)].Word; };
  for (size_t i = 0; i < words_.size(); ++i) {
    const std::string& word = words_[i].Word;
    const uint64_t hash = WordTable::Hash(word);
    // The first record of a word is the one every lookup finds.
    if (table_.Find(word, hash, textOf) == WordTable::kNotFound) {
      table_.Insert(hash, static_cast<int32_t>(i));
    }
    groups_.push_back(Settings().FindInGroups(word));
  }
  tableValid_ = true;
}

TWordRecord* TRating::Entry(std::string_view lowered, bool& fresh) {
  if (!tableValid_) IndexWords();
  fresh = false;
  const uint64_t hash = WordTable::Hash(lowered);
  const int32_t id = table_.Find(lowered, hash, [this](int32_t i) -> std::string_view {
    return i >= 0 ? std::string_view(words_[static_cast<size_t>(i)].Word)
                  : std::string_view(dropped_[static_cast<size_t>(-2 - i)]);
  });
  if (id >= 0) {
    const size_t index = static_cast<size_t>(id);
    return IsDropped(groups_[index]) ? nullptr : &words_[index];
  }
  if (id != WordTable::kNotFound) return nullptr;
  const WordGroupMatch groups = Settings().FindInGroups(lowered);
  if (IsDropped(groups)) {
    table_.Insert(hash, -2 - static_cast<int32_t>(dropped_.size()));
    dropped_.emplace_back(lowered);
    return nullptr;
  }
  table_.Insert(hash, static_cast<int32_t>(words_.size()));
  groups_.push_back(groups);
  fresh = true;
  TWordRecord& record = words_.emplace_back();
  record.Word.assign(lowered);
  return &record;
}

void TRating::AddWord(std::string_view word, int32_t position) { AddWord(word, {}, position); }

void TRating::AddWord(std::string_view word, std::string_view lowered, int32_t position) {
  if (word == "-" || suppressed_) return;
  AddCandidate(word, lowered, position);
}

void TRating::AddCandidate(std::string_view word, std::string_view lowered, int32_t position) {
  if (lowered.empty()) lowered = LowerWord(word, program_.UTF8ModeFlag, lowered_);
  bool fresh = false;
  TWordRecord* record = Entry(lowered, fresh);
  if (record == nullptr) return;
  if (fresh) {
    record->Count = 1;
    record->Position = position;
    record->Rating = position == -1 ? -1.0 : RateOccurrence(word, position);
    return;
  }
  record->Count += 1;
  // Most later occurrences rate lower than the best so far; when even the
  // best case class could not beat it, the case class is not needed. Adding
  // a greater term never gives a smaller double, so the test is exact.
  const double positionTerm = PositionTerm(position);
  const double elementTerm = ElementTerm();
  if (positionTerm + BestCaseTerm() + elementTerm <= record->Rating) return;
  const double rating = positionTerm + Settings().WordCaseWeight * CaseClass(word) + elementTerm;
  if (rating > record->Rating) record->Rating = rating;
}

void TRating::AddMetaKeyword(std::string_view keyword) {
  bool fresh = false;
  TWordRecord* record = Entry(LowerWord(keyword, program_.UTF8ModeFlag, lowered_), fresh);
  if (record == nullptr) return;
  const double keywordRating = Settings().KeywordRating;
  if (fresh) {
    record->Count = 1;
    record->Position = 0;
    record->Rating = RateOccurrence(keyword, 0) * keywordRating;
    return;
  }
  record->Count += 1;
  if (keywordRating > record->Rating) record->Rating = RateOccurrence(keyword, 0) * keywordRating;
}

// ---------------------------------------------------------------- rating

double TRating::CaseClass(std::string_view word) const {
  const RatingSettings& settings = Settings();
  if (word.empty()) return settings.XXXRating;
  if (IsDigit(static_cast<unsigned char>(word[0]))) return settings.DigitRating;
  const unsigned char* upper = UpperTable();
  size_t unchanged = 0;
  for (char ch : word) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (IsDigit(c)) return settings.CodeRating;
    if (upper[c] == c) ++unchanged;
  }
  if (unchanged == word.size()) return settings.XXXRating;
  if (unchanged == 0) return settings.zzzRating;
  return settings.YyyRating;
}

double TRating::PositionTerm(int64_t position) const {
  const RatingSettings& settings = Settings();
  // An empty file has no extent to fall along: the term keeps its value at
  // the start of a file.
  if (fileSize_ == 0) return settings.WordPositionWeight;
  return settings.WordPositionWeight *
         (1.0 - (settings.BeginOfFile - settings.EndOfFile) * static_cast<double>(position) /
                    static_cast<double>(fileSize_));
}

double TRating::ElementTerm() const {
  return Settings().TagWeight * (tagSums_.empty() ? 0.0 : tagSums_.back());
}

double TRating::RateOccurrence(std::string_view word, int64_t position) const {
  return PositionTerm(position) + Settings().WordCaseWeight * CaseClass(word) + ElementTerm();
}

double TRating::BestCaseTerm() const {
  const RatingSettings& s = Settings();
  const double w = s.WordCaseWeight;
  return std::max({w * s.DigitRating, w * s.CodeRating, w * s.XXXRating, w * s.YyyRating,
                   w * s.zzzRating});
}

void TRating::ComputeTotals() {
  if (!tableValid_) IndexWords();
  const RatingSettings& settings = Settings();
  for (size_t i = 0; i < words_.size(); ++i) {
    TWordRecord& record = words_[i];
    const WordGroupMatch& groups = groups_[i];
    const double s = groups.InAnyGroup ? groups.LastRating * 0.01 : 0.0;
    record.Total = record.Count * settings.CountWeight +
                   (record.Rating == -1.0 ? settings.FileNameWeight : record.Rating) +
                   s * settings.ExistingWeight;
  }
}

void TRating::SortWords(size_t keep) {
  const std::vector<size_t> order = SelectionOrder(
      words_.size(), [this](size_t a, size_t b) { return words_[a].Total > words_[b].Total; }, keep);
  std::vector<TWordRecord> sorted;
  sorted.reserve(order.size());
  for (size_t from : order) sorted.push_back(std::move(words_[from]));
  words_.swap(sorted);
  tableValid_ = false;
}

// ---------------------------------------------------------------- the file

std::string_view TRating::Stored(std::string_view text, std::string_view charset,
                                 std::string& buffer) const {
  // ASCII is the same in every character set and in UTF-8.
  if (IsAsciiText(text)) return text;
  buffer = ToStoredText(text, charset, program_.UTF8ModeFlag);
  return buffer;
}

bool TRating::RateFile(const std::string& path, const std::string& indexedFile,
                       std::string& description, std::string_view charset) {
  HtmlSource source(TokenizerModeFor(program_, charset));
  source.OpenSource(path);
  RateSource(source, indexedFile, description, charset);
  source.CloseSource();
  return true;
}

namespace {

bool IsMarkerComment(TokenKind kind, std::string_view text, std::string_view marker) {
  return kind == TokenKind::Word && text == marker;
}

// The tokens of a source, read from its start.
class SourceTokens {
 public:
  explicit SourceTokens(HtmlSource& source) : source_(source) { source_.SeekSource(0, 0); }
  TokenKind Next(std::string_view& text) { return source_.NextToken(text); }
  bool RanOut() const { return false; }

 private:
  HtmlSource& source_;
};

// The tokens of a log, as the source gave them. A log that was cut short
// runs out: the reading then has to be done again from the source.
class LoggedTokens {
 public:
  explicit LoggedTokens(const TokenLog& log) : log_(log) {}
  TokenKind Next(std::string_view& text) {
    if (next_ == log_.Size()) {
      ranOut_ = !log_.Complete();
      text = {};
      return TokenKind::End;
    }
    text = log_.Text(next_);
    return log_.Kind(next_++);
  }
  bool RanOut() const { return ranOut_; }

 private:
  const TokenLog& log_;
  size_t next_ = 0;
  bool ranOut_ = false;
};

}  // namespace

void TRating::RateSource(HtmlSource& source, const std::string& indexedFile,
                         std::string& description, std::string_view charset, const TokenLog* log) {
  ResetState();
  fileSize_ = static_cast<uint32_t>(source.Size());
  // Pages give a new candidate every 60 to 80 bytes of the part that is
  // read: room for them at once saves growing the records step by step.
  const size_t read = std::min<size_t>(source.Size(), static_cast<size_t>(std::max(program_.ByteLimit, 0)));
  words_.reserve(read / 64 + 16);
  groups_.reserve(read / 64 + 16);
  const size_t described = description.size();
  bool rated = false;
  if (log != nullptr) {
    LoggedTokens tokens(*log);
    rated = RateTokens(tokens, description, charset);
    if (!rated) {
      ResetState();
      description.resize(described);
    }
  }
  if (!rated) {
    SourceTokens tokens(source);
    RateTokens(tokens, description, charset);
  }

  TidyDescription(description);
  AddKeywordsMeta(source, charset);
  AddFileNameWords(indexedFile);
  ComputeTotals();
  SortWords(static_cast<size_t>(std::max<int32_t>(Settings().KeysCount, 0)));
}

template <typename Tokens>
bool TRating::RateTokens(Tokens& tokens, std::string& description, std::string_view charset) {
  const RatingSettings& settings = Settings();
  const bool utf8Mode = program_.UTF8ModeFlag;
  const int64_t limit = program_.ByteLimit;
  int64_t position = 0;
  int64_t wordCount = 0;
  bool atEnd = false;
  bool excluded = false;  // inside a stretch marked "qmknoindex"
  std::string_view text;
  std::string lowered;
  std::string lowerScratch;
  std::string buffer;

  auto next = [&]() {
    const TokenKind kind = tokens.Next(text);
    position += static_cast<int64_t>(text.size());
    if (kind == TokenKind::End) atEnd = true;
    return kind;
  };
  // Reads tokens up to one of the two kinds or the end. Once past the byte
  // limit it stops early: the rating ends right after this token anyway.
  auto readUntil = [&](TokenKind stop1, TokenKind stop2) {
    for (;;) {
      const TokenKind kind = next();
      if (kind == TokenKind::End || kind == stop1 || kind == stop2 || position > limit) return kind;
    }
  };
  // After a comment open: passes over hyphens and blanks and reads the first
  // other token, which names a marker when it is one of the two words.
  auto commentHead = [&]() {
    TokenKind kind;
    do {
      kind = next();
    } while (((kind == TokenKind::Symbol && text == "-") || kind == TokenKind::Space) &&
             position <= limit);
    return kind;
  };
  auto finishComment = [&](TokenKind head) {
    if (head != TokenKind::CommentEnd && head != TokenKind::End && position <= limit) {
      readUntil(TokenKind::CommentEnd, TokenKind::CommentEnd);
    }
  };
  auto describes = [&]() {
    return wordCount >= settings.DescOffset &&
           static_cast<int64_t>(description.size()) < settings.DescLength;
  };

  while (!atEnd) {
    const TokenKind kind = next();
    if (excluded) {
      if (kind == TokenKind::CommentOpen) {
        const TokenKind head = commentHead();
        if (IsMarkerComment(head, text, "qmkindex")) excluded = false;
        finishComment(head);
      }
    } else {
      switch (kind) {
        case TokenKind::Word: {
          ++wordCount;
          // ASCII is stored as it is, and lower-cased on the way.
          std::string_view lowered;
          const std::string_view stored = AsciiLowerView(text, lowerScratch, lowered)
                                              ? text
                                              : Stored(text, charset, buffer);
          if (describes()) {
            description += ' ';
            description += stored;
          }
          if (IsCandidateWord(stored, utf8Mode)) AddWord(stored, lowered, ClampPosition(position));
          break;
        }
        case TokenKind::Number: {
          if (describes()) {
            description += ' ';
            description += text;
          }
          // A number that ends a sentence loses its full stop.
          if (!IsDigit(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
          const std::string_view stored = Stored(text, charset, buffer);
          if (IsCandidateWord(stored, utf8Mode)) AddWord(stored, ClampPosition(position));
          break;
        }
        case TokenKind::Symbol:
          if (describes()) description += text;
          break;
        case TokenKind::TagOpen:
          if (next() == TokenKind::Word) {
            PushTag(LowerName(text, lowered));
            if (readUntil(TokenKind::TagEnd, TokenKind::EmptyTagEnd) == TokenKind::EmptyTagEnd &&
                !openTags_.empty()) {
              if (openTags_.back().BelowMinimum) suppressed_ = false;
              openTags_.pop_back();
              tagSums_.pop_back();
            }
          }
          break;
        case TokenKind::EndTagOpen:
          if (next() == TokenKind::Word) {
            PopTag(LowerName(text, lowered));
            readUntil(TokenKind::TagEnd, TokenKind::TagEnd);
          }
          break;
        case TokenKind::CommentOpen: {
          position += static_cast<int64_t>(text.size());  // the opening counts twice
          const TokenKind head = commentHead();
          if (IsMarkerComment(head, text, "qmknoindex")) excluded = true;
          finishComment(head);
          break;
        }
        case TokenKind::DeclarationOpen:
        case TokenKind::ProcessingInstructionOpen:
          readUntil(TokenKind::TagEnd, TokenKind::TagEnd);
          break;
        default:
          break;
      }
    }
    if (position > limit) break;
  }
  return !tokens.RanOut();
}

void TRating::AddKeywordsMeta(HtmlSource& source, std::string_view charset) {
  size_t start = 0;
  if (!source.FindText("\"keywords\"", start)) return;
  std::string value = source.ReadQuoted('"');
  if (value.empty()) return;
  value += ',';
  std::string buffer;
  size_t begin = 0;
  for (size_t comma = value.find(','); comma != std::string::npos; comma = value.find(',', begin)) {
    const std::string_view piece = TrimBlanks(std::string_view(value).substr(begin, comma - begin));
    begin = comma + 1;
    if (piece.empty() || IsExcludedFirstByte(static_cast<unsigned char>(piece[0]))) continue;
    AddMetaKeyword(Stored(piece, charset, buffer));
  }
}

void TRating::AddFileNameWords(const std::string& indexedFile) {
  const std::string name = FileNameOfPath(indexedFile) + "-";
  std::string buffer;
  size_t begin = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c != ' ' && c != '-' && c != '.' && c != '_') continue;
    const std::string_view piece = TrimBlanks(std::string_view(name).substr(begin, i - begin));
    begin = i + 1;
    if (piece.empty()) continue;
    AddCandidate(Stored(piece, {}, buffer), {}, -1);
  }
}

}  // namespace qm
