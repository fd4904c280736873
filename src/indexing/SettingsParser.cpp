// The lenient token scanner over the settings files: it accepts the layout
// described in RatingSettings.h and stops, keeping what it read, where a file
// ends inside an element.
#include "indexing/SettingsParser.h"

#include <climits>
#include <cstdint>

#include "database/TextForms.h"

namespace qm {
namespace {

// A settings file open for scanning, with one reusable token buffer.
class SettingsScanner {
 public:
  SettingsScanner(std::string bytes, const TokenizerMode& mode) : source_(mode) {
    source_.OpenBytes(std::move(bytes));
  }

  TokenKind Next() { return kind_ = source_.NextToken(text_); }
  const std::string& Text() const { return text_; }
  TokenKind Kind() const { return kind_; }
  HtmlSource& Source() { return source_; }

  // Reads up to and including the next token of `kind`; false at the end.
  bool SkipTo(TokenKind kind) {
    while (Next() != kind) {
      if (kind_ == TokenKind::End) return false;
    }
    return true;
  }

  enum class Attribute { Found, Other, Truncated };

  // After an element name: reads on to the next word, the first attribute's
  // name (or, when the element has none, whatever word follows). Found when
  // it is `name` and the double quote opening its value has been read;
  // Truncated when the data ends first.
  Attribute FirstAttribute(std::string_view name) {
    if (!SkipTo(TokenKind::Word)) return Attribute::Truncated;
    if (text_ != name) return Attribute::Other;
    for (;;) {
      if (Next() == TokenKind::End) return Attribute::Truncated;
      if (IsQuote()) return Attribute::Found;
    }
  }

  bool IsQuote() const { return kind_ == TokenKind::Symbol && text_ == "\""; }

  // Reads a start tag's name: the tag open, then the word. False at the end;
  // `name` is empty when the tag open is not followed by a word.
  bool NextStartTag(std::string& name) {
    name.clear();
    if (!SkipTo(TokenKind::TagOpen)) return false;
    if (Next() == TokenKind::Word) name = text_;
    return kind_ != TokenKind::End;
  }

  // Reads a rating after its opening quote: only hyphen symbols and numbers
  // are kept, up to the closing quote. False at the end.
  bool ReadRating(int32_t& value) {
    std::string digits;
    for (;;) {
      if (Next() == TokenKind::End) return false;
      if (IsQuote()) break;
      if (kind_ == TokenKind::Number || (kind_ == TokenKind::Symbol && text_ == "-")) {
        digits += text_;
      }
    }
    value = ParseSettingsInteger(digits);
    return true;
  }

 private:
  HtmlSource source_;
  std::string text_;
  TokenKind kind_ = TokenKind::End;
};

enum class KeyType { Integer, Hundredths, Text, Switch, Kilobytes };

struct SetKey {
  std::string_view name;
  KeyType type;
  int32_t RatingSettings::*integer = nullptr;
  double RatingSettings::*hundredths = nullptr;
  std::string ProgramSettings::*text = nullptr;
  bool ProgramSettings::*flag = nullptr;
};

constexpr SetKey Int(std::string_view name, int32_t RatingSettings::*member) {
  return {name, KeyType::Integer, member, nullptr, nullptr, nullptr};
}
constexpr SetKey Hundredths(std::string_view name, double RatingSettings::*member) {
  return {name, KeyType::Hundredths, nullptr, member, nullptr, nullptr};
}
constexpr SetKey Text(std::string_view name, std::string ProgramSettings::*member) {
  return {name, KeyType::Text, nullptr, nullptr, member, nullptr};
}
constexpr SetKey Switch(std::string_view name, bool ProgramSettings::*member) {
  return {name, KeyType::Switch, nullptr, nullptr, nullptr, member};
}

// The keys of set.xml, compared exactly.
constexpr SetKey kSetKeys[] = {
    Int("TagsMinimalRating", &RatingSettings::TagsMinimalRating),
    Int("StopWordsMinimalRating", &RatingSettings::StopWordsMinimalRating),
    Int("KeysCount", &RatingSettings::KeysCount),
    Hundredths("BeginOfFile", &RatingSettings::BeginOfFile),
    Hundredths("EndOfFile", &RatingSettings::EndOfFile),
    Hundredths("DigitRating", &RatingSettings::DigitRating),
    Hundredths("XXXRating", &RatingSettings::XXXRating),
    Hundredths("YyyRating", &RatingSettings::YyyRating),
    Hundredths("zzzRating", &RatingSettings::zzzRating),
    Hundredths("CodeRating", &RatingSettings::CodeRating),
    Hundredths("KeywordRating", &RatingSettings::KeywordRating),
    Hundredths("ExistingWeight", &RatingSettings::ExistingWeight),
    Hundredths("TagWeight", &RatingSettings::TagWeight),
    Hundredths("WordPositionWeight", &RatingSettings::WordPositionWeight),
    Hundredths("WordCaseWeight", &RatingSettings::WordCaseWeight),
    Hundredths("CountWeight", &RatingSettings::CountWeight),
    Hundredths("FileNameWeight", &RatingSettings::FileNameWeight),
    Int("DescOffset", &RatingSettings::DescOffset),
    Int("DescLength", &RatingSettings::DescLength),
    Text("JSPageTitleSign", &ProgramSettings::JSPageTitleSign),
    Text("JSPageDescSign", &ProgramSettings::JSPageDescSign),
    Text("Extensions", &ProgramSettings::ExtensionsText),
    Text("StopDirs", &ProgramSettings::StopDirsText),
    {"IndexDepthLimit", KeyType::Kilobytes, nullptr, nullptr, nullptr, nullptr},
    Switch("UTF8Mode", &ProgramSettings::UTF8ModeFlag),
    Switch("ProgrammingLanguageMode", &ProgramSettings::ProgrammingLanguageMode),
    Switch("FileNameCaptionMode", &ProgramSettings::FileNameCaptionMode),
};

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

void StoreSetting(std::string_view key, std::string_view value, RatingSettings& settings,
                  ProgramSettings& program) {
  for (const SetKey& k : kSetKeys) {
    if (k.name != key) continue;
    switch (k.type) {
      case KeyType::Integer: settings.*k.integer = ParseSettingsInteger(value); break;
      case KeyType::Hundredths: settings.*k.hundredths = ParseSettingsInteger(value) / 100.0; break;
      case KeyType::Text: program.*k.text = std::string(value); break;
      case KeyType::Switch: program.*k.flag = ParseSettingsInteger(value) == 1; break;
      case KeyType::Kilobytes: {
        // Held in bytes; a value beyond 32 bits is held as the nearest that fits.
        const int64_t bytes = static_cast<int64_t>(ParseSettingsInteger(value)) * 1024;
        program.ByteLimit = static_cast<int>(
            bytes > INT32_MAX ? INT32_MAX : bytes < INT32_MIN ? INT32_MIN : bytes);
        break;
      }
    }
    return;
  }
}

ParsedSetFile ParseSetFile(std::string bytes, const TokenizerMode& mode) {
  ParsedSetFile parsed;
  SettingsScanner scan(std::move(bytes), mode);
  if (!scan.Source().FindElement("settings")) return parsed;
  std::string key;
  std::string value;
  for (;;) {
    if (!scan.NextStartTag(key)) break;
    if (key.empty()) continue;
    const auto attribute = scan.FirstAttribute("value");
    if (attribute == SettingsScanner::Attribute::Truncated) return parsed;
    if (attribute == SettingsScanner::Attribute::Other) continue;
    value.clear();
    for (;;) {
      if (scan.Next() == TokenKind::End) return parsed;
      if (scan.IsQuote()) break;
      value += scan.Text();
    }
    parsed.Values.emplace_back(key, value);
  }
  parsed.Complete = true;
  return parsed;
}

ParsedTagsFile ParseTagsFile(std::string bytes, const TokenizerMode& mode) {
  ParsedTagsFile parsed;
  SettingsScanner scan(std::move(bytes), mode);
  if (!scan.Source().FindElement("tags")) return parsed;
  std::string name;
  for (;;) {
    if (!scan.NextStartTag(name)) break;
    if (name.empty()) continue;
    parsed.Tags.push_back(TTagRating{name, 0, false});
    const auto attribute = scan.FirstAttribute("rating");
    if (attribute == SettingsScanner::Attribute::Truncated) return parsed;
    if (attribute == SettingsScanner::Attribute::Found &&
        !scan.ReadRating(parsed.Tags.back().Rating)) {
      return parsed;
    }
  }
  parsed.Complete = true;
  return parsed;
}

ParsedWordsFile ParseWordsFile(std::string bytes, const TokenizerMode& mode) {
  ParsedWordsFile parsed;
  SettingsScanner scan(std::move(bytes), mode);
  if (!scan.Source().FindElement("words")) return parsed;
  while (scan.Source().FindElement("group")) {
    parsed.Groups.push_back(TWordsRating{});
    TWordsRating& group = parsed.Groups.back();
    const auto attribute = scan.FirstAttribute("rating");
    if (attribute == SettingsScanner::Attribute::Truncated) return parsed;
    if (attribute == SettingsScanner::Attribute::Found && !scan.ReadRating(group.Rating)) {
      return parsed;
    }
    if (!scan.Source().SkipToTagEnd()) return parsed;
    // The words up to the next tag end, which is that of the end tag: its
    // name ("group") is one of the words.
    while (scan.Next() != TokenKind::TagEnd && scan.Kind() != TokenKind::End) {
      if (scan.Kind() != TokenKind::Word) continue;
      // The stored form of a word read in the system code page; ASCII is its
      // own stored form.
      if (IsAscii(scan.Text())) {
        group.Words += scan.Text();
      } else {
        group.Words += ToStoredText(scan.Text(), {}, mode.UTF8Mode);
      }
      group.Words.push_back(' ');
    }
  }
  parsed.Complete = true;
  return parsed;
}

}  // namespace qm
