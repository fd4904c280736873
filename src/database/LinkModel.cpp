#include "database/LinkModel.h"

#include <algorithm>

namespace qm {

void TCat::Add(std::string name) {
  if (name.empty()) return;
  Append(std::move(name));
}

bool TBase::FindURL(std::string_view url) const {
  return std::any_of(Items().begin(), Items().end(),
                     [url](const TBaseRecord& link) { return link.URL == url; });
}

bool TBase::IsDontUpdate(int i) const {
  if (!Valid(i)) return false;
  const KeyList& keys = At(i).Keys;
  return keys.contains(kDontUpdateMark) || keys.contains(kDontUpdateWord);
}

void TBase::CatMovedToBegin(int k) {
  if (k == 0) return;
  for (TBaseRecord& link : MutableItems()) {
    if (link.Cat < k) {
      ++link.Cat;
    } else if (link.Cat == k) {
      link.Cat = 0;
    }
  }
}

void TBase::CatMovedToEnd(int k, int catCount) {
  if (k == catCount - 1) return;
  for (TBaseRecord& link : MutableItems()) {
    if (link.Cat > k) {
      --link.Cat;
    } else if (link.Cat == k) {
      link.Cat = catCount - 1;
    }
  }
}

void TBase::CatMovedUp(int k) {
  if (k == 0) return;
  for (TBaseRecord& link : MutableItems()) {
    if (link.Cat == k) {
      link.Cat = k - 1;
    } else if (link.Cat == k - 1) {
      link.Cat = k;
    }
  }
}

void TBase::CatMovedDown(int k, int catCount) {
  if (k == catCount - 1) return;
  for (TBaseRecord& link : MutableItems()) {
    if (link.Cat == k) {
      link.Cat = k + 1;
    } else if (link.Cat == k + 1) {
      link.Cat = k;
    }
  }
}

void TBase::DeleteCat(int k) {
  // One pass instead of a Delete per link; Current ends where the last of
  // those Deletes would have put it.
  std::vector<TBaseRecord>& links = MutableItems();
  int kept = 0;
  int lastRemovedAt = -1;    // position of the last removal at its time
  int countBeforeLast = 0;   // list length just before that removal
  for (size_t i = 0; i < links.size(); ++i) {
    if (links[i].Cat == k) {
      lastRemovedAt = kept;
      countBeforeLast = static_cast<int>(links.size() - (i - static_cast<size_t>(kept)));
      continue;
    }
    if (static_cast<size_t>(kept) != i) links[static_cast<size_t>(kept)] = std::move(links[i]);
    ++kept;
  }
  links.resize(static_cast<size_t>(kept));
  if (lastRemovedAt >= 0) {
    const bool wasLast = lastRemovedAt == countBeforeLast - 1;
    SetCurrent((lastRemovedAt > 0 && wasLast) ? countBeforeLast - 2 : lastRemovedAt);
  }
  for (TBaseRecord& link : links) {
    if (link.Cat > k) --link.Cat;
  }
}

std::string KeysSummary(const KeyList& keys) {
  std::string summary;
  size_t n = 0;
  for (std::string_view key : keys) {
    if (n == 4) break;
    summary.append(key);
    if (n + 1 < keys.size()) summary.append(", ");
    ++n;
  }
  return summary;
}

}  // namespace qm
