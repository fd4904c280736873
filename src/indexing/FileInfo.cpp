#include "indexing/FileInfo.h"

#include "database/Addresses.h"
#include "platform/Paths.h"

namespace qm {

// Placeholder until the page extraction lands: the file name as caption.
void ExtractFileInfo(const std::string& file, const std::string& databaseFile,
                     TBaseRecord& record, ProgramSettings& settings, Interaction* ui) {
  record = TBaseRecord{};
  record.Caption = FileNameOfPath(file);
  record.URL = MakeLinkURL(databaseFile, file, settings.UTF8ModeFlag);
}

}  // namespace qm
