// Writes the database block. The writer keeps the file readable as written:
// a text the format cannot carry (a line break anywhere, the separator in a
// caption or keyword) is written as the reader would read it back.
#include <algorithm>
#include <array>
#include <charconv>

#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Env.h"

namespace qm {
namespace {

// Where the text of the block goes: kept whole in memory, or handed to a file
// in pieces of about a megabyte, so that a save of a large database holds
// little beyond the model itself.
class BlockSink {
 public:
  explicit BlockSink(WritableFile* file = nullptr) : file_(file) {}

  std::string& text() { return text_; }
  // Called after each line: passes a large enough piece on to the file.
  void LineDone() {
    if (file_ != nullptr && text_.size() >= kPiece) Pass();
  }
  // Passes on what is left; true when every write succeeded.
  bool Finish() {
    if (file_ != nullptr && !text_.empty()) Pass();
    return ok_;
  }
  std::string Take() { return std::move(text_); }

 private:
  static constexpr size_t kPiece = 1 << 20;
  void Pass() {
    ok_ = file_->Append(text_) && ok_;
    text_.clear();
  }

  WritableFile* file_;
  std::string text_;
  bool ok_ = true;
};

void AppendLine(BlockSink& sink, std::string_view line) {
  sink.text().append(line);
  sink.text().append(kLineEnd);
  sink.LineDone();
}

// Writes the elements that `element(i, out)` appends, one line each, with a
// comma after every element but the last.
template <typename Element>
void AppendArray(BlockSink& sink, std::string_view opening, size_t count, Element element) {
  AppendLine(sink, opening);
  for (size_t i = 0; i < count; ++i) {
    std::string& out = sink.text();
    out.push_back('\'');
    element(i, out);
    out.push_back('\'');
    if (i + 1 < count) out.push_back(',');
    out.append(kLineEnd);
    sink.LineDone();
  }
  AppendLine(sink, ");");
}

void WriteCategoriesTo(BlockSink& sink, const TCat& categories) {
  AppendLine(sink, kFormatMark);
  AppendLine(sink, kDatabaseBeginMark);
  const auto& names = categories.Items();
  // An empty list is written as one empty element, which the reader takes
  // as the end of the list.
  AppendArray(sink, kCategoriesOpening, std::max<size_t>(names.size(), 1),
              [&](size_t i, std::string& line) {
                if (i >= names.size()) return;
                // An empty name would end the list for the reader and lose the
                // categories after it: it is kept as one blank.
                AppendEscaped(line, names[i].empty() ? std::string_view(" ") : names[i], false);
              });
}

void WriteLinksTo(BlockSink& sink, const TBase& base) {
  const auto& links = base.Items();
  // With no links each array holds one empty element (and `kw` "^^").
  const size_t count = std::max<size_t>(links.size(), 1);
  const bool empty = links.empty();
  AppendArray(sink, kLinksOpening, count, [&](size_t i, std::string& line) {
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
  AppendArray(sink, kDescriptionsOpening, count, [&](size_t i, std::string& line) {
    if (!empty) AppendEscaped(line, links[i].Desc, false);
  });
  AppendArray(sink, kKeywordsOpening, count, [&](size_t i, std::string& line) {
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
}

// The size of the written block, near enough to make room for it at once.
size_t EstimatedSize(const TBase& base) {
  size_t size = 128;
  for (const TBaseRecord& link : base.Items()) {
    size += link.Caption.size() + link.URL.size() + link.Desc.size() + 32;
    for (std::string_view key : link.Keys) size += key.size() + 1;
  }
  return size + size / 16;
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, bool separatorFree) {
  // Runs of bytes that stand for themselves are appended whole.
  static constexpr auto kSpecial = [] {
    std::array<bool, 256> special{};
    for (unsigned char c : {'\'', '\\', '\r', '\n', '^', '/'}) special[c] = true;
    return special;
  }();
  size_t i = 0;
  while (i < text.size()) {
    size_t run = i;
    while (run < text.size() && !kSpecial[static_cast<unsigned char>(text[run])]) ++run;
    out.append(text.data() + i, run - i);
    if (run == text.size()) break;
    const char c = text[run];
    i = run + 1;
    switch (c) {
      case '\'':
      case '\\':
        out.push_back('\\');
        out.push_back(c);
        break;
      case '\r':
        out.push_back(' ');
        if (i < text.size() && text[i] == '\n') ++i;
        break;
      case '\n':
        out.push_back(' ');
        break;
      case '/':
        // A search page may hold the block inside a script comment, which
        // "*/" would end: the slash is escaped there, and reads back as "/".
        if (run > 0 && text[run - 1] == '*') out.push_back('\\');
        out.push_back('/');
        break;
      default:  // the separator
        out.push_back(separatorFree ? ' ' : '^');
    }
  }
}

std::string WriteCategories(const TCat& categories) {
  BlockSink sink;
  WriteCategoriesTo(sink, categories);
  return sink.Take();
}

std::string WriteLinks(const TBase& base) {
  BlockSink sink;
  sink.text().reserve(EstimatedSize(base));
  WriteLinksTo(sink, base);
  return sink.Take();
}

bool TCat::WriteTo(WritableFile& out) const {
  BlockSink sink(&out);
  WriteCategoriesTo(sink, *this);
  return sink.Finish();
}

bool TBase::WriteTo(WritableFile& out) const {
  BlockSink sink(&out);
  WriteLinksTo(sink, *this);
  return sink.Finish();
}

}  // namespace qm
