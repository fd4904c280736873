#include "database/Addresses.h"

#include <algorithm>

#include "database/TextForms.h"
#include "platform/Paths.h"

namespace qm {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_';
}

}  // namespace

std::string EncodeURL(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0F]);
    }
  }
  return out;
}

std::string DecodeURL(std::string_view address) {
  std::string out;
  out.reserve(address.size());
  for (size_t i = 0; i < address.size(); ++i) {
    const char c = address[i];
    if (c == '+') {
      out.push_back(' ');
    } else if (c == '%') {
      if (address.size() - i > 2) {
        const int high = HexValue(address[i + 1]);
        const int low = HexValue(address[i + 2]);
        out.push_back(high < 0 || low < 0 ? '\xFF' : static_cast<char>(high * 16 + low));
        i += 2;
      } else {
        out.push_back('_');
      }
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string MakeLinkURL(std::string_view databaseFile, std::string_view file, bool utf8Mode) {
  // A file that does not even start like the database path (another root)
  // keeps its own path.
  if (file.size() >= 2 && (databaseFile.empty() || file[0] != databaseFile[0])) {
    return EncodeURL(PathToStoredText(file, utf8Mode));
  }
  const size_t shorter = std::min(databaseFile.size(), file.size());
  size_t differ = 0;
  while (differ < shorter && databaseFile[differ] == file[differ]) ++differ;

  // Back to the last separator before the first difference: the end of the
  // folders the two paths share. (A separator at the difference itself is not
  // shared: "/site/a/" and "/site/ab/" share only "/site/".)
  size_t start = differ;
  while (start > 0 && !IsPathSeparator(databaseFile[start - 1])) --start;
  if (start > 0) --start;
  size_t separators = 0;
  for (size_t i = start; i < databaseFile.size(); ++i) {
    if (IsPathSeparator(databaseFile[i])) ++separators;
  }
  std::string relative;
  for (size_t n = 1; n < separators; ++n) relative += "../";
  size_t rest = start;
  if (rest < file.size() && IsPathSeparator(file[rest])) ++rest;
  for (size_t i = rest; i < file.size(); ++i) {
    relative.push_back(IsPathSeparator(file[i]) ? '/' : file[i]);
  }
  return EncodeURL(PathToStoredText(relative, utf8Mode));
}

std::string LinkURLToPath(std::string_view address, std::string_view databaseFile) {
  if (IsAbsolutePath(address)) return std::string(address);
  std::string path = FolderOfPath(databaseFile);
  for (char c : address) path.push_back(c == '/' ? kPathSeparator : c);
  return path;
}

bool IsRemoteAddress(std::string_view address) {
  return address.find("://") != std::string_view::npos;
}

}  // namespace qm
