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

std::string PathToStoredText(std::string_view path, bool utf8Mode) {
  // In the UTF-8 code page a path's bytes already are the stored form; a name
  // that is not valid UTF-8 would be mangled by decoding it.
  if (SystemCodePageIsUTF8()) return std::string(path);
  return ToStoredText(path, "", utf8Mode);
}

std::string ToDisplayText(std::string_view text, bool utf8Mode) {
  // Decoding and encoding UTF-8 again gives valid text back unchanged; other
  // bytes (a file name of an older system) are kept rather than mangled.
  if (!utf8Mode || SystemCodePageIsUTF8()) return std::string(text);
  return WideToSystem(UTF8ToWide(text));
}

std::string LowerText(std::string_view text, bool utf8Mode) {
  if (utf8Mode || SystemCodePageIsUTF8()) return WideToUTF8(WideLower(UTF8ToWide(text)));
  return LowerBytes(text);
}

}  // namespace qm
