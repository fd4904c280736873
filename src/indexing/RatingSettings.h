// The indexing settings of one file, read from the three settings files:
// set.xml (weights, limits, switches), tags.xml (a rating per HTML element
// name) and words.xml (stop-word groups with a rating each).
//
// The reader is a lenient token scanner over the tokenizer (HTMLParser.h),
// not an XML parser. Program-wide keys of set.xml go to ProgramSettings.
//
// Accepted layout: in set.xml, inside <settings>, one element per key whose
// first attribute is value="..."; in tags.xml, inside <tags>, one element per
// HTML element name whose first attribute is rating="..."; in words.xml,
// inside <words>, <group rating="..."> elements holding blank-separated words.
// Root element names and "group" ignore case; keys and attribute names do not.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "indexing/ProgramSettings.h"

namespace qm {

// One entry of tags.xml; the same record is an entry of the rating's stack of
// open elements.
struct TTagRating {
  std::string Tag;             // element name as written (lower case on the stack)
  int32_t Rating = 0;          // 100 stands for a factor of 1.0
  bool BelowMinimum = false;   // stack only: Rating < TagsMinimalRating
};

// One stop-word group of words.xml.
struct TWordsRating {
  // " w1 w2 ... wn ": a blank, then every word followed by one blank, so that
  // w is in the group exactly when " w " occurs in it.
  std::string Words = " ";
  int32_t Rating = 0;
};

// What the stop-word groups say of one word (or phrase).
struct WordGroupMatch {
  bool InAnyGroup = false;
  int32_t MinRating = 0;   // lowest Rating of the groups holding it
  int32_t LastRating = 0;  // Rating of the last group (file order) holding it
};

// Answers "which groups hold w" (" w " a substring of Words) without scanning
// every group per word: single words are looked up in a hash table built from
// the groups' words; a text holding a blank (a keyword phrase) is matched
// against the groups' texts, so a phrase spanning neighbouring words of a
// group is found as the substring rule finds it.
class WordGroupIndex {
 public:
  void Build(const std::vector<TWordsRating>& groups);
  // Same result as testing " w " against the Words of every group of
  // `groups` in file order; `groups` must be those the index was built from.
  WordGroupMatch Find(std::string_view w, const std::vector<TWordsRating>& groups) const;

 private:
  struct Place {
    uint32_t group;   // index in the groups
    uint32_t offset;  // of the blank before the piece in the group's Words
  };
  struct Entry {
    WordGroupMatch match;       // over the groups holding the piece
    std::vector<Place> places;  // in file order
  };
  std::unordered_map<std::string, Entry> entries_;
};

// The per-file settings (set.xml keys held per file, and the two tables).
// A fresh object is all zero; every load sets DescOffset 35 and DescLength
// 300 before reading.
struct RatingSettings {
  int32_t TagsMinimalRating = 0;
  int32_t StopWordsMinimalRating = 0;
  int32_t KeysCount = 0;
  // Held in hundredths in the file: 150 gives 1.5.
  double BeginOfFile = 0.0;
  double EndOfFile = 0.0;
  double DigitRating = 0.0;
  double XXXRating = 0.0;
  double YyyRating = 0.0;
  double zzzRating = 0.0;
  double CodeRating = 0.0;
  double KeywordRating = 0.0;
  double ExistingWeight = 0.0;
  double TagWeight = 0.0;
  double WordPositionWeight = 0.0;
  double WordCaseWeight = 0.0;
  double CountWeight = 0.0;
  double FileNameWeight = 0.0;
  int32_t DescOffset = 0;   // number of the first body word of the description
  int32_t DescLength = 0;   // bytes after which the description stops growing

  std::vector<TTagRating> TagRatings;   // tags.xml, file order
  std::vector<TWordsRating> WordGroups; // words.xml, file order

  // The first TagRatings entry whose Tag equals `name` exactly; null when
  // none.
  const TTagRating* FindTag(std::string_view name) const;
  // Which WordGroups hold `w` (see WordGroupIndex).
  WordGroupMatch FindInGroups(std::string_view w) const;

  // Builds the lookup indexes of the two tables. LoadSettings sets them up;
  // code that changes TagRatings or WordGroups afterwards must call this
  // (until then the lookups scan the tables, which gives the same answers
  // slower). The lookups never change the object, so a loaded RatingSettings
  // may be shared read-only.
  void IndexTables();

 private:
  friend class SettingsCache;
  using TagIndex = std::unordered_map<std::string, size_t>;  // name -> first entry
  static std::shared_ptr<const TagIndex> MakeTagIndex(const std::vector<TTagRating>& tags);
  static std::shared_ptr<const WordGroupIndex> MakeGroupIndex(
      const std::vector<TWordsRating>& groups);

  // Shared and never changed once built, so copies of the settings are cheap.
  std::shared_ptr<const TagIndex> tagIndex_;
  std::shared_ptr<const WordGroupIndex> groupIndex_;
  size_t indexedTags_ = 0, indexedGroups_ = 0;  // table sizes when indexed
};

// The three settings files to read.
struct SettingsFiles {
  std::string Set;    // set.xml
  std::string Tags;   // tags.xml
  std::string Words;  // words.xml
};

// For each of "set.xml", "tags.xml" and "words.xml" separately: the file in
// `projectFolder` (the folder of the database file) when it exists, else the
// one of the same name in ProgramFolder().
SettingsFiles ChooseSettingsFiles(std::string_view projectFolder);

// Reads set.xml, then tags.xml, then words.xml into `settings` (per-file) and
// `program` (program-wide keys present in set.xml; absent keys keep their
// values). Returns true only when all three were read to the end. On failure
// (missing file or root element, a file ending inside an element) reading
// stops there: what was read stays in force, later files are not read, and
// the extension and stop-folder lists are not rebuilt. Never reports.
//
// Every call reads the three files; a file whose bytes (and the tokenizer
// switches and code page it is read with) equal those of an earlier read is
// not parsed again: the earlier result, kept in program.Cache, is replayed.
// Of `program` the load reads only UTF8ModeFlag and ProgrammingLanguageMode.
bool LoadSettings(const SettingsFiles& files, RatingSettings& settings,
                  ProgramSettings& program);

// Loads the settings of the project in `projectFolder` (file choice above)
// into a throw-away RatingSettings, for its effect on `program`: the
// program-wide values and the extension and stop-folder lists.
void ReloadSettings(ProgramSettings& program, std::string_view projectFolder);

// The number rule of the settings files: leading blanks skipped, an optional
// sign, decimal digits (or hex after "$" or "0x"), stopping at the first byte
// that does not fit. A malformed value gives the digits read before the bad
// byte, without its sign; no digit at all gives 0.
int32_t ParseSettingsInteger(std::string_view text);

}  // namespace qm
