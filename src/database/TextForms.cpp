#include "database/TextForms.h"

#include "platform/CodePage.h"
#include "platform/Unicode.h"

namespace qm {

std::string ToStoredText(std::string_view text, std::string_view charset, bool utf8Mode) {
  if (!utf8Mode) return std::string(text);
  if (LowerBytes(charset) == "utf-8") return std::string(text);
  const int index = charset.empty() ? kCharsetUnknown : CharsetIndex(charset);
  return WideToUTF8(CharsetToWide(text, index));
}

std::string ToDisplayText(std::string_view text, bool utf8Mode) {
  if (!utf8Mode) return std::string(text);
  return WideToSystem(UTF8ToWide(text));
}

std::string LowerText(std::string_view text, bool utf8Mode) {
  if (utf8Mode || SystemCodePageIsUTF8()) return WideToUTF8(WideLower(UTF8ToWide(text)));
  return LowerBytes(text);
}

}  // namespace qm
