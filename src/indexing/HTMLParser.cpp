#include "indexing/HTMLParser.h"

// Placeholder bodies; the tokenizer follows.
namespace qm {

int ReferenceCharsetFor(std::string_view, bool) { return 0; }
TokenizerMode TokenizerModeFor(const ProgramSettings& program, std::string_view) {
  TokenizerMode mode;
  mode.UTF8Mode = program.UTF8ModeFlag;
  mode.ProgrammingLanguageMode = program.ProgrammingLanguageMode;
  return mode;
}
bool HtmlSource::OpenSource(const std::string&) { data_.clear(); pos_ = 0; return false; }
void HtmlSource::OpenBytes(std::string data) { data_ = std::move(data); pos_ = 0; }
void HtmlSource::CloseSource() { data_.clear(); pos_ = 0; }
size_t HtmlSource::ReadBytes(void*, size_t) { return 0; }
int64_t HtmlSource::SeekSource(int64_t offset, int) { return pos_ = offset; }
TokenKind HtmlSource::NextToken(std::string& text) { text.clear(); return TokenKind::End; }
void HtmlSource::DecodeEntity(std::string& result) { result.clear(); }
bool HtmlSource::FindElement(std::string_view) { return false; }
bool HtmlSource::SkipToTagEnd() { return false; }
bool HtmlSource::FindText(std::string_view, size_t&) { return false; }
std::string HtmlSource::ReadQuoted(char) { return {}; }

}  // namespace qm
