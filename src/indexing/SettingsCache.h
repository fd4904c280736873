// Settings files parsed before, kept with their bytes: a load that reads the
// same bytes, with the same tokenizer switches and code page, replays the
// earlier result instead of parsing again and shares the lookup indexes built
// then. Comparing the bytes (not the file's times) means an edit always takes
// effect at the next load. One thread at a time.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "indexing/HTMLParser.h"
#include "indexing/RatingSettings.h"
#include "indexing/SettingsParser.h"

namespace qm {

class SettingsCache {
 public:
  // Each reads one settings file (an unreadable file has no bytes) into
  // `settings` and `program` as a load does, and returns whether it was read
  // to the end. Tokenizer switches come from `program` as it is on entry.
  bool LoadSet(const std::string& path, RatingSettings& settings, ProgramSettings& program);
  bool LoadTags(const std::string& path, RatingSettings& settings, const ProgramSettings& program);
  bool LoadWords(const std::string& path, RatingSettings& settings, const ProgramSettings& program);

 private:
  struct TagsValue {
    ParsedTagsFile parsed;
    std::shared_ptr<const RatingSettings::TagIndex> index;
  };
  struct WordsValue {
    ParsedWordsFile parsed;
    std::shared_ptr<const WordGroupIndex> index;
  };
  template <typename Value>
  struct Slot {
    std::string bytes;
    std::shared_ptr<const Value> value;
  };
  template <typename Value>
  using Slots = std::map<std::string, Slot<Value>>;  // by path, switches, code page

  // The value for the file's current bytes, made by `make` when they differ
  // from those kept.
  template <typename Value, typename Make>
  static std::shared_ptr<const Value> Lookup(Slots<Value>& slots, const std::string& path,
                                             const TokenizerMode& mode, Make make);

  Slots<ParsedSetFile> sets_;
  Slots<TagsValue> tags_;
  Slots<WordsValue> words_;
};

}  // namespace qm
