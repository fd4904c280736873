#include "indexing/SettingsCache.h"

#include <sys/stat.h>

#include "platform/CodePage.h"

namespace qm {
namespace {

// Files larger than this are parsed every time rather than kept.
constexpr size_t kLargestKeptFile = 1 << 20;
// Slots of one kind kept at most (paths times switch combinations).
constexpr size_t kMostSlots = 32;

}  // namespace

SettingsCache::FileStatus SettingsCache::StatusOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  auto nanoseconds = [](const timespec& t) {
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + static_cast<int64_t>(t.tv_nsec);
  };
  return FileStatus{true,
                    static_cast<uint64_t>(st.st_dev),
                    static_cast<uint64_t>(st.st_ino),
                    static_cast<uint64_t>(st.st_size),
                    nanoseconds(st.st_mtim),
                    nanoseconds(st.st_ctim)};
}

bool SettingsCache::Settled(const FileStatus& status,
                            std::chrono::system_clock::time_point now) const {
  // A missing file has no times: whatever creates it gives it a status.
  if (!status.exists) return true;
  const int64_t limit = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            now.time_since_epoch() - settleTime_)
                            .count();
  return status.modified < limit && status.changed < limit;
}

template <typename Value, typename Make>
std::shared_ptr<const Value> SettingsCache::Lookup(Slots<Value>& slots, const std::string& path,
                                                   const TokenizerMode& mode, Make make) {
  std::string key = path;
  key += '\n';
  key += mode.UTF8Mode ? '1' : '0';
  key += mode.ProgrammingLanguageMode ? '1' : '0';
  key += SystemCodePageName();
  const auto it = slots.find(key);
  // The clock is read before the status, the status before the bytes: an
  // edit after either gives a status different from the one kept.
  const auto now = std::chrono::system_clock::now();
  const FileStatus status = StatusOf(path);
  if (it != slots.end() && it->second.settled && it->second.status == status) {
    return it->second.value;
  }
  std::string bytes;
  ReadSourceFile(path, bytes);
  if (it != slots.end() && it->second.bytes == bytes) {
    it->second.status = status;
    it->second.settled = Settled(status, now);
    return it->second.value;
  }
  if (bytes.size() > kLargestKeptFile) return make(std::move(bytes));
  if (slots.size() >= kMostSlots) slots.clear();
  Slot<Value>& slot = slots[key];
  slot.status = status;
  slot.settled = Settled(status, now);
  slot.bytes = bytes;
  slot.value = make(std::move(bytes));
  return slot.value;
}

bool SettingsCache::LoadSet(const std::string& path, RatingSettings& settings,
                            ProgramSettings& program) {
  const TokenizerMode mode = TokenizerModeFor(program);
  const auto set = Lookup(sets_, path, mode, [&](std::string bytes) {
    return std::make_shared<const ParsedSetFile>(ParseSetFile(std::move(bytes), mode));
  });
  for (const auto& [key, value] : set->Values) StoreSetting(key, value, settings, program);
  return set->Complete;
}

bool SettingsCache::LoadTags(const std::string& path, RatingSettings& settings,
                             const ProgramSettings& program) {
  const TokenizerMode mode = TokenizerModeFor(program);
  const auto tags = Lookup(tags_, path, mode, [&](std::string bytes) {
    TagsValue value;
    value.parsed = ParseTagsFile(std::move(bytes), mode);
    value.index = RatingSettings::MakeTagIndex(value.parsed.Tags);
    return std::make_shared<const TagsValue>(std::move(value));
  });
  settings.TagRatings = tags->parsed.Tags;
  settings.tagIndex_ = tags->index;
  settings.indexedTags_ = settings.TagRatings.size();
  return tags->parsed.Complete;
}

bool SettingsCache::LoadWords(const std::string& path, RatingSettings& settings,
                              const ProgramSettings& program) {
  const TokenizerMode mode = TokenizerModeFor(program);
  const auto words = Lookup(words_, path, mode, [&](std::string bytes) {
    WordsValue value;
    value.parsed = ParseWordsFile(std::move(bytes), mode);
    value.index = RatingSettings::MakeGroupIndex(value.parsed.Groups);
    return std::make_shared<const WordsValue>(std::move(value));
  });
  settings.WordGroups = words->parsed.Groups;
  settings.groupIndex_ = words->index;
  settings.indexedGroups_ = settings.WordGroups.size();
  return words->parsed.Complete;
}

}  // namespace qm
