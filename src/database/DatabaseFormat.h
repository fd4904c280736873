// The database block of a search database file: the four JavaScript arrays
// `cg` (category names), `ln` (category, caption and address of each link),
// `ds` (descriptions) and `kw` (keywords), as the reader finds them and the
// writer produces them. docs/format/searchdb.md describes the bytes.
#pragma once

#include <string>
#include <string_view>

namespace qm {

class Interaction;
class TBase;
class TCat;

inline constexpr std::string_view kFormatMark = "//v2format";
inline constexpr std::string_view kDatabaseBeginMark = "//DatabaseBegin";
inline constexpr std::string_view kCategoriesOpening = "var cg=new Array(";
inline constexpr std::string_view kLinksOpening = "var ln=new Array(";
inline constexpr std::string_view kDescriptionsOpening = "var ds=new Array(";
inline constexpr std::string_view kKeywordsOpening = "var kw=new Array(";
inline constexpr std::string_view kLineEnd = "\r\n";

// Appends the names of the first `cg` array of `file` to `categories`.
void ReadCategories(std::string_view file, TCat& categories);

// Appends one link per `ln` element of `file` to `links`, with the matching
// `ds` and `kw` elements. Elements of `ds` and `kw` beyond the links read are
// ignored. `ui` (may be null) handles pending events between keyword elements.
void ReadLinks(std::string_view file, TBase& links, Interaction* ui);

// The block's first lines and the `cg` array, every line ending in CR LF.
std::string WriteCategories(const TCat& categories);
// The `ln`, `ds` and `kw` arrays.
std::string WriteLinks(const TBase& links);

// A text as it stands between the quotes of an element: quotes and
// backslashes escaped, the slash of "*/" escaped (a search page may keep the
// block inside a script comment), line breaks (which the reader would turn into a blank)
// written as one blank, and, when `separatorFree`, "^" written as a blank,
// since the separator has no escape.
void AppendEscaped(std::string& out, std::string_view text, bool separatorFree);

}  // namespace qm
