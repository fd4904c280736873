#include "indexing/RatingSettings.h"

#include <algorithm>

namespace qm {
namespace {

void Note(WordGroupMatch& match, int32_t rating) {
  if (!match.InAnyGroup) {
    match = WordGroupMatch{true, rating, rating};
    return;
  }
  match.MinRating = std::min(match.MinRating, rating);
  match.LastRating = rating;
}

// The rule itself, one substring search per group.
WordGroupMatch ScanGroups(std::string_view w, const std::vector<TWordsRating>& groups) {
  std::string needle;
  needle.reserve(w.size() + 2);
  needle.push_back(' ');
  needle.append(w);
  needle.push_back(' ');
  WordGroupMatch match;
  for (const TWordsRating& group : groups) {
    if (group.Words.find(needle) != std::string::npos) Note(match, group.Rating);
  }
  return match;
}

}  // namespace

// A group's Words is " " followed by pieces each ending in a blank; " w " can
// only occur where a blank is followed by the piece that begins w (the bytes
// of w up to its first blank). So every group piece between two blanks is
// indexed with where it occurs, and w is checked only at the places where its
// first piece occurs.
void WordGroupIndex::Build(const std::vector<TWordsRating>& groups) {
  entries_.clear();
  for (size_t g = 0; g < groups.size(); ++g) {
    const std::string& words = groups[g].Words;
    size_t blank = words.find(' ');
    while (blank != std::string::npos) {
      const size_t start = blank + 1;
      const size_t next = words.find(' ', start);
      if (next == std::string::npos) break;
      Entry& entry = entries_[words.substr(start, next - start)];
      Note(entry.match, groups[g].Rating);
      entry.places.push_back(Place{static_cast<uint32_t>(g), static_cast<uint32_t>(blank)});
      blank = next;
    }
  }
}

WordGroupMatch WordGroupIndex::Find(std::string_view w,
                                    const std::vector<TWordsRating>& groups) const {
  const size_t firstBlank = w.find(' ');
  const auto it = entries_.find(std::string(w.substr(0, firstBlank)));
  if (it == entries_.end()) return {};
  if (firstBlank == std::string_view::npos) return it->second.match;
  // A phrase: compare " w " at every place its first piece occurs.
  WordGroupMatch match;
  uint32_t lastGroup = UINT32_MAX;
  for (const Place& place : it->second.places) {
    if (place.group == lastGroup) continue;
    const std::string& words = groups[place.group].Words;
    const size_t end = place.offset + 1 + w.size();
    if (end < words.size() && words[end] == ' ' &&
        words.compare(place.offset + 1, w.size(), w) == 0) {
      Note(match, groups[place.group].Rating);
      lastGroup = place.group;
    }
  }
  return match;
}

const TTagRating* RatingSettings::FindTag(std::string_view name) const {
  if (tagIndex_ && indexedTags_ == TagRatings.size()) {
    const auto it = tagIndex_->find(std::string(name));
    return it == tagIndex_->end() ? nullptr : &TagRatings[it->second];
  }
  for (const TTagRating& tag : TagRatings) {
    if (tag.Tag == name) return &tag;
  }
  return nullptr;
}

WordGroupMatch RatingSettings::FindInGroups(std::string_view w) const {
  if (groupIndex_ && indexedGroups_ == WordGroups.size()) return groupIndex_->Find(w, WordGroups);
  return ScanGroups(w, WordGroups);
}

std::shared_ptr<const RatingSettings::TagIndex> RatingSettings::MakeTagIndex(
    const std::vector<TTagRating>& tags) {
  auto index = std::make_shared<TagIndex>();
  for (size_t i = 0; i < tags.size(); ++i) index->emplace(tags[i].Tag, i);
  return index;
}

std::shared_ptr<const WordGroupIndex> RatingSettings::MakeGroupIndex(
    const std::vector<TWordsRating>& groups) {
  auto index = std::make_shared<WordGroupIndex>();
  index->Build(groups);
  return index;
}

void RatingSettings::IndexTables() {
  tagIndex_ = MakeTagIndex(TagRatings);
  groupIndex_ = MakeGroupIndex(WordGroups);
  indexedTags_ = TagRatings.size();
  indexedGroups_ = WordGroups.size();
}

}  // namespace qm
