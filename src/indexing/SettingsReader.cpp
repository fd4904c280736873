// Loading the three settings files: the file choice, the order and failure
// rule of a load, and the number rule of their values.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "indexing/RatingSettings.h"
#include "indexing/SettingsCache.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

namespace qm {

int32_t ParseSettingsInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  // Digits accumulate until a byte that does not fit or a value that does
  // not fit in 32 bits; either makes the value malformed.
  const uint64_t limit = hex ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  uint64_t value = 0;
  bool any = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    const uint64_t next = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (next > limit) break;
    value = next;
    any = true;
  }
  const bool wellFormed = any && i == text.size();
  if (hex) {
    const auto bits = static_cast<int32_t>(static_cast<uint32_t>(value));
    return wellFormed && negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(bits)) : bits;
  }
  if (wellFormed && negative) return static_cast<int32_t>(-static_cast<int64_t>(value));
  return static_cast<int32_t>(value > 0x7FFFFFFFull ? 0x7FFFFFFFull : value);
}

SettingsFiles ChooseSettingsFiles(std::string_view projectFolder) {
  const std::string project = WithTrailingSeparator(projectFolder);
  const std::string program = ProgramFolder();
  auto choose = [&](std::string_view name) {
    if (!project.empty()) {
      std::string path = project + std::string(name);
      if (FileExists(path)) return path;
    }
    return program + std::string(name);
  };
  return SettingsFiles{choose("set.xml"), choose("tags.xml"), choose("words.xml")};
}

bool LoadSettings(const SettingsFiles& files, RatingSettings& settings,
                  ProgramSettings& program) {
  if (!program.Cache) program.Cache = std::make_shared<SettingsCache>();
  SettingsCache& cache = *program.Cache;
  settings.DescOffset = 35;
  settings.DescLength = 300;
  settings.TagRatings.clear();
  settings.WordGroups.clear();
  settings.IndexTables();
  // The switches set by set.xml steer the tokenizer for the two files after it.
  if (!cache.LoadSet(files.Set, settings, program)) return false;
  if (!cache.LoadTags(files.Tags, settings, program)) return false;
  if (!cache.LoadWords(files.Words, settings, program)) return false;
  BuildExtensionList(program);
  BuildStopDirList(program);
  return true;
}

void ReloadSettings(ProgramSettings& program, std::string_view projectFolder) {
  RatingSettings settings;
  LoadSettings(ChooseSettingsFiles(projectFolder), settings, program);
}

}  // namespace qm
