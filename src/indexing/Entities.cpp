#include "indexing/Entities.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/CodePageTables.h"
#include "platform/Unicode.h"

namespace qm {
namespace {

// The byte of a 128-entry table (bytes 0x80..0xFF) that stands for `cp`.
void AppendFromTable(char32_t cp, const char16_t* table, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
    return;
  }
  if (cp <= 0xFFFF) {
    for (int i = 0; i < 128; ++i) {
      if (table[i] == cp) {
        out.push_back(static_cast<char>(0x80 + i));
        return;
      }
    }
  }
  out.push_back('?');
}

}  // namespace

long LookupEntity(std::string_view name) {
  const EntityName* end = kEntityNames + kEntityNameCount;
  const EntityName* it = std::lower_bound(
      kEntityNames, end, name,
      [](const EntityName& e, std::string_view n) { return std::string_view(e.Name) < n; });
  if (it == end || std::string_view(it->Name) != name) return -1;
  return static_cast<long>(it->Code);
}

void AppendCharacter(char32_t cp, int group, std::string& out) {
  if (group == kCharsetUtf8) {
    out += CodePointToUTF8(cp);
    return;
  }
  if (group >= kFirstTableGroup && group <= kCharsetCount) {
    AppendFromTable(cp, kCodePageTables[group - kFirstTableGroup], out);
    return;
  }
  if (SystemCodePageIsUTF8()) {
    if (group == kCharsetLatin1) {
      AppendFromTable(cp, kCodePageTables[kCharsetWindows1252 - kFirstTableGroup], out);
    } else {
      out += CodePointToUTF8(cp);
    }
    return;
  }
  AppendFromTable(cp, SystemTable(), out);
}

}  // namespace qm
