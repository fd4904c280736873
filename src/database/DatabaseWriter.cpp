// Writes the database block. The writer keeps the file readable as written:
// a text the format cannot carry (a line break anywhere, the separator in a
// caption or keyword) is written as the reader would read it back.
#include <charconv>

#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Env.h"

#include <algorithm>

namespace qm {
namespace {

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(kLineEnd);
}

// Writes the elements that `element(i, out)` appends, one line each, with a
// comma after every element but the last.
template <typename Element>
void AppendArray(std::string& out, std::string_view opening, size_t count, Element element) {
  AppendLine(out, opening);
  for (size_t i = 0; i < count; ++i) {
    out.push_back('\'');
    element(i, out);
    out.push_back('\'');
    if (i + 1 < count) out.push_back(',');
    out.append(kLineEnd);
  }
  AppendLine(out, ");");
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, bool separatorFree) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\'':
      case '\\':
        out.push_back('\\');
        out.push_back(c);
        break;
      case '\r':
        out.push_back(' ');
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        break;
      case '\n':
        out.push_back(' ');
        break;
      case '^':
        out.push_back(separatorFree ? ' ' : '^');
        break;
      default:
        out.push_back(c);
    }
  }
}

std::string WriteCategories(const TCat& categories) {
  std::string out;
  AppendLine(out, kFormatMark);
  AppendLine(out, kDatabaseBeginMark);
  const auto& names = categories.Items();
  // An empty list is written as one empty element, which the reader takes
  // as the end of the list.
  AppendArray(out, kCategoriesOpening, std::max<size_t>(names.size(), 1),
              [&](size_t i, std::string& line) {
                if (i >= names.size()) return;
                // An empty name would end the list for the reader and lose the
                // categories after it: it is kept as one blank.
                AppendEscaped(line, names[i].empty() ? std::string_view(" ") : names[i], false);
              });
  return out;
}

std::string WriteLinks(const TBase& base) {
  const auto& links = base.Items();
  size_t size = 128;
  for (const TBaseRecord& link : links) {
    size += link.Caption.size() + link.URL.size() + link.Desc.size() + 32;
    for (std::string_view key : link.Keys) size += key.size() + 1;
  }
  std::string out;
  out.reserve(size + size / 16);
  // With no links each array holds one empty element (and `kw` "^^").
  const size_t count = std::max<size_t>(links.size(), 1);
  const bool empty = links.empty();
  AppendArray(out, kLinksOpening, count, [&](size_t i, std::string& line) {
    if (empty) return;
    const TBaseRecord& link = links[i];
    char number[16];
    auto result = std::to_chars(number, number + sizeof number, link.Cat);
    line.append(number, result.ptr);
    line.push_back('^');
    AppendEscaped(line, link.Caption, true);
    line.push_back('^');
    AppendEscaped(line, link.URL, false);
  });
  AppendArray(out, kDescriptionsOpening, count, [&](size_t i, std::string& line) {
    if (!empty) AppendEscaped(line, links[i].Desc, false);
  });
  AppendArray(out, kKeywordsOpening, count, [&](size_t i, std::string& line) {
    line.push_back('^');
    if (empty || links[i].Keys.empty()) {
      line.push_back('^');
      return;
    }
    for (std::string_view key : links[i].Keys) {
      AppendEscaped(line, key, true);
      line.push_back('^');
    }
  });
  return out;
}

bool TCat::WriteTo(WritableFile& out) const { return out.Append(WriteCategories(*this)); }

bool TBase::WriteTo(WritableFile& out) const { return out.Append(WriteLinks(*this)); }

}  // namespace qm
