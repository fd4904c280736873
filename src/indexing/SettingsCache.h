// Settings files parsed before, kept with their bytes: a load that finds the
// same bytes, with the same tokenizer switches and code page, replays the
// earlier result instead of parsing again and shares the lookup indexes built
// then. An edit always takes effect at the next load. To know the bytes are
// the same without reading them, a kept file also keeps its status (device,
// inode, size, modification and change times): a file whose status is
// unchanged is not read again, as long as its times were older than the
// settle time when it was read. A file changed within one timestamp tick of
// the previous change may keep its status, so recently changed files are
// read and compared byte by byte until their times have settled. One thread
// at a time.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "indexing/HTMLParser.h"
#include "indexing/RatingSettings.h"
#include "indexing/SettingsParser.h"

namespace qm {

class SettingsCache {
 public:
  // How long after its last change a file's status is trusted: longer than
  // the coarsest timestamp tick of common file systems (two seconds).
  static constexpr std::chrono::nanoseconds kDefaultSettleTime = std::chrono::milliseconds(2500);

  explicit SettingsCache(std::chrono::nanoseconds settleTime = kDefaultSettleTime)
      : settleTime_(settleTime) {}

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
  // What stat(2) tells of a file; `exists` false (and the rest zero) when it
  // cannot be told.
  struct FileStatus {
    bool exists = false;
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modified = 0, changed = 0;  // nanoseconds since the epoch
    bool operator==(const FileStatus&) const = default;
  };
  template <typename Value>
  struct Slot {
    FileStatus status;   // taken before `bytes` were read
    bool settled = false;  // the status alone tells whether the bytes changed
    std::string bytes;
    std::shared_ptr<const Value> value;
  };
  template <typename Value>
  using Slots = std::map<std::string, Slot<Value>>;  // by path, switches, code page

  static FileStatus StatusOf(const std::string& path);
  // Whether the times in `status` were older than the settle time at `now`.
  bool Settled(const FileStatus& status, std::chrono::system_clock::time_point now) const;

  // The value for the file's current bytes, made by `make` when they differ
  // from those kept.
  template <typename Value, typename Make>
  std::shared_ptr<const Value> Lookup(Slots<Value>& slots, const std::string& path,
                                      const TokenizerMode& mode, Make make);

  std::chrono::nanoseconds settleTime_;
  Slots<ParsedSetFile> sets_;
  Slots<TagsValue> tags_;
  Slots<WordsValue> words_;
};

}  // namespace qm
