#include "indexing/ProgramSettings.h"

#include <string_view>

#include "platform/CodePage.h"

namespace qm {
namespace {

// Splits `text` into runs of token bytes; the last run is kept even when
// empty.
template <typename IsTokenByte>
std::vector<std::string> SplitList(std::string_view text, IsTokenByte isTokenByte) {
  std::vector<std::string> list;
  std::string token;
  for (const char c : text) {
    if (isTokenByte(static_cast<unsigned char>(c))) {
      token.push_back(c);
    } else if (!token.empty()) {
      list.push_back(std::move(token));
      token.clear();
    }
  }
  list.push_back(std::move(token));
  return list;
}

bool IsLetterOrDigit(unsigned char c) { return (c >= '0' && c <= '9') || IsCharAlphaA(c); }

}  // namespace

void BuildExtensionList(ProgramSettings& program) {
  program.ExtensionList = SplitList(program.ExtensionsText, IsLetterOrDigit);
}

void BuildStopDirList(ProgramSettings& program) {
  program.StopDirList = SplitList(program.StopDirsText, [](unsigned char c) {
    return IsLetterOrDigit(c) || c == '-' || c == '.' || c == '_';
  });
}

}  // namespace qm
