#include "indexing/RatingSettings.h"

// Placeholder bodies; the reader follows.
namespace qm {

void WordGroupIndex::Build(const std::vector<TWordsRating>&) {}
WordGroupMatch WordGroupIndex::Find(std::string_view, const std::vector<TWordsRating>&) const { return {}; }
const TTagRating* RatingSettings::FindTag(std::string_view) const { return nullptr; }
WordGroupMatch RatingSettings::FindInGroups(std::string_view) const { return {}; }
void RatingSettings::IndexTables() {}
SettingsFiles ChooseSettingsFiles(std::string_view) { return {}; }
bool LoadSettings(const SettingsFiles&, RatingSettings& settings, ProgramSettings&) {
  settings.DescOffset = 35;
  settings.DescLength = 300;
  return false;
}
void ReloadSettings(ProgramSettings&, std::string_view) {}
int32_t ParseSettingsInteger(std::string_view) { return 0; }
void BuildExtensionList(ProgramSettings&) {}
void BuildStopDirList(ProgramSettings&) {}

}  // namespace qm
