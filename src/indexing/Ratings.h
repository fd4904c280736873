// The keyword rating of one file: it reads the page through the tokenizer,
// keeps a stack of the open HTML elements, rates every occurrence of every
// word by its position, its letter case and the elements around it, adds the
// keywords of the keywords meta element and the words of the file name, and
// orders the candidates by a total that also counts occurrences and the
// stop-word group ratings. On the way it collects a description from the body
// text.
//
// A TRating holds the indexing settings of one file (RatingSettings.h) and the
// rating state; it rates one file. Weights and limits are the per-file
// settings; the byte limit, the UTF-8 mode and the tokenizer switches are the
// program-wide ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "indexing/HTMLParser.h"
#include "indexing/ProgramSettings.h"
#include "indexing/RatingSettings.h"
#include "indexing/WordTable.h"

namespace qm {

// One candidate keyword.
struct TWordRecord {
  std::string Word;      // lower case, in the database text form
  int32_t Count = 0;     // occurrences: page, keywords meta element and file name
  int32_t Position = 0;  // position counter at the first occurrence; 0 for a
                         // keywords meta element, -1 for the file name
  double Rating = 0.0;   // best rating of one occurrence; -1.0: file name only
  double Total = 0.0;    // final rating, by which the list is ordered
};

// The description tidy: every run of ten, then eight, then four, then two
// blanks is replaced by one blank, each pass once over the text (so three
// blanks end as two).
void TidyDescription(std::string& description);

class TRating {
 public:
  // `program` holds the program-wide settings: loading changes it, rating
  // reads it. It must outlive the rating.
  explicit TRating(ProgramSettings& program);

  // Reads set.xml, tags.xml and words.xml into this rating's settings and the
  // program-wide ones (LoadSettings of RatingSettings.h); true when all three
  // were read to the end.
  bool LoadSettings(const SettingsFiles& files);
  const RatingSettings& Settings() const { return settings_; }
  // The settings for changing by hand. After changing TagRatings or
  // WordGroups call IndexTables() on them.
  RatingSettings& EditSettings();

  // Rates the file at `path`: fills Words (at most KeysCount records, best
  // first) and appends the body description to `description`. `indexedFile`
  // gives the file-name words (it differs from `path` when a temporary page
  // stands for the file); `charset` is the page's declared character set. A
  // file that cannot be read counts as empty. Always returns true.
  bool RateFile(const std::string& path, const std::string& indexedFile, std::string& description,
                std::string_view charset);
  // The same over a source already open, read from its start. The source's
  // tokenizer mode is used as it is; its read position is left anywhere.
  // `log` (may be null) holds the source's tokens from its start in that
  // mode, read earlier: they are taken from it instead of being read again.
  void RateSource(HtmlSource& source, const std::string& indexedFile, std::string& description,
                  std::string_view charset, const TokenLog* log = nullptr);

  // The element stack: PushTag adds an element (lower-cased name) with its
  // rating, suppressing the words inside an element rated below
  // TagsMinimalRating; PopTag removes the topmost element of that name and
  // everything above it, or empties the stack when none is open.
  void PushTag(std::string_view name);
  void PopTag(std::string_view name);

  // Adds one occurrence of a page or file-name word (database text form) at
  // the position counter `position` (-1: the file name). Nothing for "-",
  // while words are suppressed, or for a word of a stop-word group rated
  // below StopWordsMinimalRating.
  void AddWord(std::string_view word, int32_t position);
  // Adds a keyword of the keywords meta element (rated at position 0 times
  // KeywordRating); never suppressed.
  void AddMetaKeyword(std::string_view keyword);
  // The rating of one occurrence of `word` (as it appeared, before
  // lower-casing) at `position`: position term + case term + element term.
  double RateOccurrence(std::string_view word, int64_t position) const;
  // Sets every record's Total from its count, rating and stop-word group.
  void ComputeTotals();
  // Orders Words by Total, greatest first, exactly as a selection sort that
  // takes the first maximum of the rest and exchanges it into place; keeps
  // only the first `keep` records.
  void SortWords(size_t keep = static_cast<size_t>(-1));

  const std::vector<TWordRecord>& Words() const { return words_; }
  // The candidate list for changing by hand (tests, callers that merge).
  std::vector<TWordRecord>& EditWords();
  const std::vector<TTagRating>& OpenTags() const { return openTags_; }
  bool Suppressed() const { return suppressed_; }
  uint32_t FileSize() const { return fileSize_; }
  void SetFileSize(uint32_t size) { fileSize_ = size; }

 private:
  // Empties Words, the element stack and the suppression.
  void ResetState();
  // The token loop of the rating; false when a log ran out before the end.
  template <typename Tokens>
  bool RateTokens(Tokens& tokens, std::string& description, std::string_view charset);
  // AddWord with the word's lower-cased form when known (empty: not yet).
  void AddWord(std::string_view word, std::string_view lowered, int32_t position);
  // AddWord without the "-" and suppression tests; the file-name words take
  // this way whatever the suppression at the end of the page.
  void AddCandidate(std::string_view word, std::string_view lowered, int32_t position);
  // The record of a lower-cased word; null when a stop-word group drops the
  // word. A record made here (`fresh` set) has only its Word filled in.
  TWordRecord* Entry(std::string_view lowered, bool& fresh);
  bool IsDropped(const WordGroupMatch& groups) const;
  void IndexWords();
  void AddKeywordsMeta(HtmlSource& source, std::string_view charset);
  void AddFileNameWords(const std::string& indexedFile);
  // The database text form of a page text in `charset`.
  std::string_view Stored(std::string_view text, std::string_view charset, std::string& buffer) const;
  // The three terms of RateOccurrence.
  double PositionTerm(int64_t position) const;
  double CaseClass(std::string_view word) const;
  double ElementTerm() const;  // TagWeight times the open elements' ratings
  // The greatest WordCaseWeight times a case class.
  double BestCaseTerm() const;

  ProgramSettings& program_;
  RatingSettings settings_;

  std::vector<TTagRating> openTags_;
  std::vector<double> tagSums_;  // tagSums_[k]: sum of Rating / 100 of openTags_[0..k]
  bool suppressed_ = false;
  uint32_t fileSize_ = 0;

  std::vector<TWordRecord> words_;
  // Per record: what the stop-word groups say of its word.
  std::vector<WordGroupMatch> groups_;
  // Ids of table_: a record's index, or -2 - k for dropped_[k], a word the
  // stop-word groups drop (remembered so that each is looked up once).
  WordTable table_;
  std::vector<std::string> dropped_;
  bool tableValid_ = true;
  std::string lowered_;  // scratch of the lookups
};

}  // namespace qm
