#include "driver/DatabaseUpdate.h"

#include <algorithm>

#include "database/Addresses.h"
#include "database/TextForms.h"
#include "driver/FolderScan.h"
#include "driver/Project.h"
#include "indexing/FileInfo.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "platform/Unicode.h"

namespace qm {
namespace {

// Message texts are UTF-8; a display text is in the system code page.
std::string DisplayTextToUTF8(const std::string& text) {
  return SystemCodePageIsUTF8() ? text : WideToUTF8(SystemToWide(text));
}

void ReportMissingPage(Project& project, const std::string& address) {
  if (project.UI == nullptr) return;
  std::string text = kPageNotFoundMessage;
  text.replace(text.find("%s"), 2, DisplayTextToUTF8(address));
  project.UI->messageBox(MessageIcon::Warning, "Warning", text, MessageButtons::Ok);
}

}  // namespace

UpdateResult UpdateDatabase(Project& project) {
  UpdateResult result;
  EnsureScanLists(project.Settings);
  const int count = project.Base.Count();
  for (int i = 0; i < count; ++i) {
    const TBaseRecord& link = project.Base.At(i);
    const int32_t category = link.Cat;
    const std::string decoded = DecodeURL(link.URL);
    // Stored addresses are percent-encoded, so a typed web address reads
    // "http%3A%2F%2F..." until it is decoded.
    if (IsRemoteAddress(link.URL) || IsRemoteAddress(decoded)) continue;
    const std::string address = ToDisplayText(decoded, project.Settings.UTF8ModeFlag);
    const std::string path = LinkURLToPath(address, project.DatabaseFile);
    const std::string extension = ExtensionOfPath(path);
    const auto matches = std::count(project.Settings.ExtensionList.begin(),
                                    project.Settings.ExtensionList.end(), extension);
    for (long match = 0; match < matches; ++match) {
      if (project.StopRequested) return result;
      ShowFileProgress(project, path);
      if (project.StopRequested) return result;
      if (project.Base.IsDontUpdate(i)) break;
      if (project.FileSystem->FileExists(path)) {
        TBaseRecord record;
        ExtractFileInfo(path, project.DatabaseFile, record, project.Settings, project.UI);
        record.Cat = category;
        project.Base.Put(i, std::move(record));
        ++result.reindexed;
      } else {
        ReportMissingPage(project, address);
        ++result.missing;
      }
    }
  }
  return result;
}

}  // namespace qm
