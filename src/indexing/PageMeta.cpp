#include "indexing/PageMeta.h"

#include "indexing/TextPieces.h"

namespace qm {
namespace {

bool IsMarkup(TokenKind kind) {
  switch (kind) {
    case TokenKind::TagOpen:
    case TokenKind::TagEnd:
    case TokenKind::EndTagOpen:
    case TokenKind::EmptyTagEnd:
    case TokenKind::CommentOpen:
    case TokenKind::CommentEnd:
    case TokenKind::DeclarationOpen:
    case TokenKind::ProcessingInstructionOpen:
      return true;
    default:
      return false;
  }
}

bool EndsTag(TokenKind kind) { return kind == TokenKind::TagEnd || kind == TokenKind::EmptyTagEnd; }

bool IsQuote(TokenKind kind, const std::string& text) {
  return kind == TokenKind::Symbol && (text == "\"" || text == "'");
}

enum class MetaState { None, Description, ContentType, Other };

// One pass, begun just after the name of a meta element. Returns at the end
// of the pass.
void MetaPass(HtmlSource& source, PageMeta& meta, std::string& text) {
  MetaState state = MetaState::None;
  std::string value;
  // Reads on to the next word; a tag end or the end of the data stops first.
  auto readToWord = [&]() {
    TokenKind kind;
    do {
      kind = source.NextToken(text);
    } while (kind != TokenKind::Word && !EndsTag(kind) && kind != TokenKind::End);
    return kind;
  };
  for (;;) {
    TokenKind kind = source.NextToken(text);
    if (kind == TokenKind::Word && text == "name") {
      kind = readToWord();
      if (kind == TokenKind::Word) {
        state = AsciiLower(text) == "description" ? MetaState::Description : MetaState::Other;
      }
    } else if (kind == TokenKind::Word && text == "charset") {
      kind = readToWord();
      if (kind == TokenKind::Word) meta.Charset = AsciiLower(text);
    } else if (kind == TokenKind::Word && text == "http-equiv") {
      kind = readToWord();
      if (kind == TokenKind::Word) {
        state = AsciiLower(text) == "content-type" ? MetaState::ContentType : MetaState::Other;
      }
    } else if (kind == TokenKind::Word && text == "content") {
      value.clear();
      do {
        kind = source.NextToken(text);
      } while (!IsQuote(kind, text) && !EndsTag(kind) && kind != TokenKind::End);
      if (IsQuote(kind, text)) {
        for (;;) {
          kind = source.NextToken(text);
          if (IsQuote(kind, text) || EndsTag(kind) || kind == TokenKind::End) break;
          if (!IsMarkup(kind)) value += text;
        }
      }
    }
    if (EndsTag(kind)) {
      state = MetaState::None;
      value.clear();
    }
    if (state == MetaState::Other) return;
    if (state == MetaState::ContentType) {
      const size_t equals = value.find('=');
      if (!value.empty() && equals != std::string::npos) meta.Charset = AsciiLower(value.substr(equals + 1));
      value.clear();
    }
    if (state == MetaState::Description && !value.empty()) {
      meta.Description = std::move(value);
      return;
    }
    if (kind == TokenKind::End) return;
  }
}

}  // namespace

PageMeta ReadPageMeta(HtmlSource& source) {
  PageMeta meta;
  std::string text;
  source.SeekSource(0, 0);
  while (source.FindElement("meta")) MetaPass(source, meta, text);
  return meta;
}

std::string ReadPageTitle(HtmlSource& source) {
  std::string title;
  source.SeekSource(0, 0);
  if (!source.FindElement("title") || !source.SkipToTagEnd()) return title;
  std::string text;
  for (;;) {
    const TokenKind kind = source.NextToken(text);
    if (kind == TokenKind::End || IsMarkup(kind)) break;
    title += text;
  }
  return title;
}

}  // namespace qm
