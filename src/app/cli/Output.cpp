#include "app/cli/Output.h"

#include "database/Addresses.h"
#include "platform/CodePage.h"
#include "platform/Unicode.h"

namespace qm::cli {
namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one.
size_t ValidSequenceLength(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  uint32_t min = 0;
  uint32_t cp = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; min = 0x80; cp = lead & 0x1F; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; min = 0x800; cp = lead & 0x0F; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; min = 0x10000; cp = lead & 0x07; }
  else return 0;
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[i + k]);
    if ((byte & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

std::string SanitizeUTF8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = ValidSequenceLength(text, i);
    if (length == 0) {
      out.append("\xEF\xBF\xBD");
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace

std::string DatabaseTextToUTF8(std::string_view text, bool utf8Mode) {
  if (utf8Mode || SystemCodePageIsUTF8()) return SanitizeUTF8(text);
  return WideToUTF8(SystemToWide(text));
}

std::string DisplayAddress(std::string_view url, bool utf8Mode) {
  return DatabaseTextToUTF8(DecodeURL(url), utf8Mode);
}

nlohmann::ordered_json RecordToJson(const TBaseRecord& link, bool utf8Mode) {
  nlohmann::ordered_json keys = nlohmann::ordered_json::array();
  for (std::string_view key : link.Keys) keys.push_back(DatabaseTextToUTF8(key, utf8Mode));
  return {{"cat", link.Cat},
          {"caption", DatabaseTextToUTF8(link.Caption, utf8Mode)},
          {"url", SanitizeUTF8(link.URL)},
          {"address", DisplayAddress(link.URL, utf8Mode)},
          {"desc", DatabaseTextToUTF8(link.Desc, utf8Mode)},
          {"keys", keys}};
}

}  // namespace qm::cli
