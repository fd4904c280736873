// The three settings files parsed from their bytes, apart from the effect of
// a load, so that a parsed file can be kept and replayed (SettingsCache.h).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "indexing/HTMLParser.h"
#include "indexing/ProgramSettings.h"
#include "indexing/RatingSettings.h"

namespace qm {

// set.xml: the key/value pairs in file order, values as read (before the
// number rule). Complete is false when the file has no settings element or
// ends inside an element; the pairs read before stay.
struct ParsedSetFile {
  bool Complete = false;
  std::vector<std::pair<std::string, std::string>> Values;
};

// tags.xml: the entries in file order.
struct ParsedTagsFile {
  bool Complete = false;
  std::vector<TTagRating> Tags;
};

// words.xml: the groups in file order, words in the database text form.
struct ParsedWordsFile {
  bool Complete = false;
  std::vector<TWordsRating> Groups;
};

// Each parses one file's bytes with the tokenizer in `mode` (its UTF8Mode is
// also the UTF-8 mode of the stored word forms).
ParsedSetFile ParseSetFile(std::string bytes, const TokenizerMode& mode);
ParsedTagsFile ParseTagsFile(std::string bytes, const TokenizerMode& mode);
ParsedWordsFile ParseWordsFile(std::string bytes, const TokenizerMode& mode);

// Stores one value of set.xml as its key says (unknown keys are ignored).
void StoreSetting(std::string_view key, std::string_view value, RatingSettings& settings,
                  ProgramSettings& program);

}  // namespace qm
