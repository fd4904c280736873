// The in-memory model of one search database: the ordered category names
// (TCat) and the ordered links (TBase). A link names its category by position,
// so every change of positions in TCat has a renumbering operation in TBase
// that the caller runs right after it.
//
// All texts are byte strings in the database encoding; the model never
// converts them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "database/KeyList.h"
#include "database/OrderedList.h"

namespace qm {

class Interaction;
class WritableFile;

// One link.
struct TBaseRecord {
  int32_t Cat = 0;      // position of the link's category (may name none)
  std::string Caption;  // title of the page
  std::string URL;      // stored, percent-encoded address
  std::string Desc;     // description of the page
  KeyList Keys;         // keywords, most relevant first

  bool operator==(const TBaseRecord&) const = default;
};

// The keywords that mark a link the update leaves alone.
inline constexpr std::string_view kDontUpdateMark = "~";
inline constexpr std::string_view kDontUpdateWord = "dont_update";

class TCat : public OrderedList<std::string> {
 public:
  // Appends a name and makes it current; an empty name is ignored.
  void Add(std::string name);

  // Appends the names of the `cg` array of a search database file; a file
  // that cannot be read adds nothing.
  void LoadFromFile(const std::string& path);
  // Writes the block's opening lines and the `cg` array; true when every
  // write succeeded.
  bool WriteTo(WritableFile& out) const;
};

class TBase : public OrderedList<TBaseRecord> {
 public:
  // Appends a record and makes it current.
  void Add(TBaseRecord record) { Append(std::move(record)); }

  // True when some link's URL equals the stored-form address byte for byte.
  bool FindURL(std::string_view url) const;
  // True when link i carries the keyword "~" or "dont_update".
  bool IsDontUpdate(int i) const;

  // Renumbering after the matching TCat operation on category k;
  // `catCount` is the category count after that operation.
  void CatMovedToBegin(int k);
  void CatMovedToEnd(int k, int catCount);
  void CatMovedUp(int k);
  void CatMovedDown(int k, int catCount);
  // Removes every link of category k (as Delete would, one by one) and moves
  // the links of later categories down one number.
  void DeleteCat(int k);

  // Reorder all links exactly as a selection sort over the whole list would
  // (first smallest key wins, then an exchange), ties included, in
  // O(n log n) key comparisons. `utf8Mode` steers the display form of the
  // address that SortByURL compares.
  void SortByCat();
  void SortByURL(bool utf8Mode);
  void SortByCaption();
  void SortByDescription();
  void SortByKeys();

  // Appends the links of the `ln`, `ds` and `kw` arrays of a search database
  // file. `ui` (may be null) has its pending events handled during a long load.
  void LoadFromFile(const std::string& path, Interaction* ui = nullptr);
  // Writes the `ln`, `ds` and `kw` arrays, handing them to the file in
  // pieces of about a megabyte; true when every write succeeded.
  bool WriteTo(WritableFile& out) const;

 private:
  friend void ReadLinks(std::string_view file, TBase& links, Interaction* ui);
};

// The first four keywords, each followed by ", " unless it is the last of the
// whole list: the key of SortByKeys and the keyword column of the main list.
std::string KeysSummary(const KeyList& keys);

}  // namespace qm
