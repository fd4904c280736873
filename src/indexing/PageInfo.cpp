#include "indexing/PageInfo.h"

#include "database/Addresses.h"
#include "database/TextForms.h"
#include "indexing/HTMLParser.h"
#include "indexing/PageMeta.h"
#include "indexing/Ratings.h"
#include "indexing/TextPieces.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/Unicode.h"

namespace qm {
namespace {

// The next double-quoted string after `marker` in the raw bytes (searched
// from the start, ignoring case); false when the marker is absent.
bool StringAfterMarker(HtmlSource& source, std::string_view marker, std::string& value) {
  size_t start = 0;
  if (marker.empty() || !source.FindText(marker, start)) return false;
  value = source.ReadQuoted('"');
  return true;
}

// Whether character references decode to the same bytes in two reference
// charsets: the same group, or two that both give UTF-8 (the UTF-8 group, and
// the system code page and the groups read in it when that is UTF-8).
bool SameReferenceBytes(int a, int b) {
  auto givesUTF8 = [](int group) {
    return group == kCharsetUtf8 ||
           (SystemCodePageIsUTF8() &&
            (group == kCharsetUnknown || group == kCharsetAscii || group == kCharsetUtf16));
  };
  return a == b || (givesUTF8(a) && givesUTF8(b));
}

}  // namespace

std::string UnescapeScriptString(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    result += text[i];
  }
  return result;
}

void ExtractPageInfo(const std::string& page, const std::string& indexedFile,
                     const std::string& databaseFile, TBaseRecord& record, ProgramSettings& program) {
  TRating rating(program);
  rating.LoadSettings(ChooseSettingsFiles(FolderOfPath(databaseFile)));
  const bool utf8Mode = program.UTF8ModeFlag;

  record = TBaseRecord{};
  record.URL = MakeLinkURL(databaseFile, page, utf8Mode);

  HtmlSource source(TokenizerModeFor(program));
  source.OpenSource(page);

  // The character set comes first: character references in the title and
  // the description decode into it. A page without "&" reads the same in
  // every mode, so the meta pass runs again only when a reference may differ.
  PageMeta meta = ReadPageMeta(source);
  const std::string charset = meta.Charset;
  const TokenizerMode pageMode = TokenizerModeFor(program, charset);
  if (!SameReferenceBytes(pageMode.ReferenceCharset, source.Mode().ReferenceCharset) &&
      source.Data().find('&') != std::string_view::npos) {
    source.Mode() = pageMode;
    meta.Description = ReadPageMeta(source).Description;
  }
  source.Mode() = pageMode;

  record.Caption = ToStoredText(ReadPageTitle(source), charset, utf8Mode);
  record.Desc = ToStoredText(meta.Description, charset, utf8Mode);

  if (program.FileNameCaptionMode) record.Caption = ToStoredText(FileNameOfPath(indexedFile), {}, utf8Mode);
  std::string value;
  if (StringAfterMarker(source, program.JSPageTitleSign, value)) {
    record.Caption = ToStoredText(UnescapeScriptString(value), charset, utf8Mode);
  }
  if (StringAfterMarker(source, program.JSPageDescSign, value)) {
    record.Desc = ToStoredText(UnescapeScriptString(value), charset, utf8Mode);
  }
  if (StringAfterMarker(source, "\"quillmark-category\"", value) && !value.empty()) {
    record.Cat = ParseSettingsInteger(TrimBlanks(value));
  }

  std::string body;
  rating.RateSource(source, indexedFile, body, charset);
  source.CloseSource();

  if (record.Desc.empty() && !body.empty()) record.Desc = "..." + body + "...";
  for (const TWordRecord& word : rating.Words()) record.Keys.push_back(word.Word);
}

}  // namespace qm
