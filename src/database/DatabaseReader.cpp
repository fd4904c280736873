// Reads the arrays of a search database file held in memory. Every array is
// looked up from the start of the file, so they may stand in any order and
// only the first of each counts. Nothing here reports an error: a damaged file
// gives what could be read.
#include <charconv>

#include "database/ByteScan.h"
#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Env.h"
#include "platform/Interaction.h"

namespace qm {
namespace {

// Calls `take` for every element of the array that `opening` starts; stops
// after an element that is not directly followed by a comma. Where the file
// ends before the opening quote of an element there is no element, so a file
// cut off after the opening text or after a comma gains no empty link.
template <typename Take>
void ForEachElement(std::string_view file, std::string_view opening, Take take) {
  size_t pos = 0;
  if (!FindText(file, opening, pos)) return;
  while (file.find('\'', pos) != std::string_view::npos) {
    std::string element = ReadQuoted(file, pos, '\'');
    if (!take(std::move(element))) return;
    if (pos >= file.size() || file[pos] != ',') return;
    ++pos;
  }
}

// The category field of an `ln` element: a decimal number with an optional
// minus sign and blanks around it; anything else (or a number that does not
// fit) gives category 0.
int32_t ParseCategory(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int32_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return 0;
  return value;
}

TBaseRecord ParseLink(std::string_view element, char separator) {
  TBaseRecord link;
  if (element.empty()) return link;
  const size_t first = element.find(separator);
  link.Cat = ParseCategory(element.substr(0, first));
  if (first == std::string_view::npos) return link;
  const size_t second = element.find(separator, first + 1);
  if (second == std::string_view::npos) {
    link.Caption = std::string(element.substr(first + 1));
    return link;
  }
  link.Caption = std::string(element.substr(first + 1, second - first - 1));
  link.URL = std::string(element.substr(second + 1));
  return link;
}

}  // namespace

void ReadCategories(std::string_view file, TCat& categories) {
  ForEachElement(file, kCategoriesOpening, [&](std::string name) {
    if (name.empty()) return false;
    categories.Add(std::move(name));
    return true;
  });
}

void ReadLinks(std::string_view file, TBase& links, Interaction* ui) {
  const int base = links.Count();
  const int current = links.Current();
  size_t probe = 0;
  const char separator = FindText(file, kFormatMark, probe) ? '^' : '+';

  ForEachElement(file, kLinksOpening, [&](std::string element) {
    links.Add(ParseLink(element, separator));
    return true;
  });
  const int end = links.Count();

  std::vector<TBaseRecord>& items = links.MutableItems();
  int k = base;
  ForEachElement(file, kDescriptionsOpening, [&](std::string desc) {
    if (k >= end) return false;
    items[static_cast<size_t>(k++)].Desc = std::move(desc);
    return true;
  });

  k = base;
  ForEachElement(file, kKeywordsOpening, [&](std::string element) {
    if (k >= end) return false;
    if (ui != nullptr && k > base) ui->processEvents();
    KeyList& keys = items[static_cast<size_t>(k++)].Keys;
    // Each keyword takes its bytes and one length byte in place of its
    // separator (two for keywords of 128 bytes or more, which are rare).
    keys.reserve(element.size());
    std::string_view rest(element);
    while (!rest.empty()) {
      const size_t sep = rest.find(separator);
      std::string_view key = rest.substr(0, sep);
      if (!key.empty()) keys.push_back(key);
      if (sep == std::string_view::npos) break;
      rest.remove_prefix(sep + 1);
    }
    return true;
  });
  links.SetCurrent(current);
}

void TCat::LoadFromFile(const std::string& path) {
  std::string file;
  if (Env::Default().ReadFile(path, &file)) ReadCategories(file, *this);
}

void TBase::LoadFromFile(const std::string& path, Interaction* ui) {
  std::string file;
  if (Env::Default().ReadFile(path, &file)) ReadLinks(file, *this, ui);
}

}  // namespace qm
