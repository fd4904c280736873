#include "indexing/PageInfo.h"

#include <algorithm>

#include "database/Addresses.h"
#include "database/TextForms.h"
#include "indexing/HTMLParser.h"
#include "indexing/PageMeta.h"
#include "indexing/Ratings.h"
#include "indexing/TextPieces.h"
#include "platform/Paths.h"

namespace qm {
namespace {

// Text bytes logged beyond the byte limit: the rating may read a few tokens
// past the limit before it stops. A log cut short is not wrong, only slower:
// the rating then reads the page again. So a very high limit is not followed
// beyond kTokenLogMost, which bounds the memory a huge page can take.
constexpr size_t kTokenLogMargin = 64 * 1024;
constexpr size_t kTokenLogMost = 16 * 1024 * 1024;

// The next double-quoted string after `marker` in the raw bytes (searched
// from the start, ignoring case); false when the marker is absent.
bool StringAfterMarker(HtmlSource& source, std::string_view marker, std::string& value) {
  size_t start = 0;
  if (marker.empty() || !source.FindText(marker, start)) return false;
  value = source.ReadQuoted('"');
  return true;
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
  // the description decode into it. The meta pass reads the whole page; its
  // tokens are kept for the rating, which reads the same tokens unless a
  // reference decodes differently in the page's charset. The rating needs
  // the tokens up to its byte limit only.
  TokenLog tokens;
  const size_t logLimit =
      std::min(static_cast<size_t>(std::max(program.ByteLimit, 0)), kTokenLogMost) + kTokenLogMargin;
  source.SetTokenLog(&tokens, logLimit);
  PageMeta meta = ReadPageMeta(source);
  source.SetTokenLog(nullptr, 0);
  const std::string charset = meta.Charset;
  const TokenizerMode pageMode = TokenizerModeFor(program, charset);
  const bool sameTokens = pageMode.ReferenceCharset == source.Mode().ReferenceCharset ||
                          source.Data().find('&') == std::string_view::npos;
  source.Mode() = pageMode;
  if (!sameTokens) meta.Description = ReadPageMeta(source).Description;

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
  rating.RateSource(source, indexedFile, body, charset, sameTokens ? &tokens : nullptr);
  source.CloseSource();

  if (record.Desc.empty() && !body.empty()) record.Desc = "..." + body + "...";
  for (const TWordRecord& word : rating.Words()) record.Keys.push_back(word.Word);
}

}  // namespace qm
