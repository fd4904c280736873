#include "driver/FolderScan.h"

#include <algorithm>

#include "database/Addresses.h"
#include "driver/FolderWalk.h"
#include "driver/Project.h"
#include "indexing/FileInfo.h"
#include "indexing/RatingSettings.h"
#include "platform/Env.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"

namespace qm {
namespace {

bool IsSettingsFileName(std::string_view name) {
  return name == "set.xml" || name == "words.xml" || name == "tags.xml";
}

}  // namespace

KnownAddresses::KnownAddresses(const TBase& links) {
  urls_.reserve(links.Items().size());
  for (const TBaseRecord& link : links.Items()) urls_.insert(link.URL);
}

bool KnownAddresses::Contains(std::string_view url) const { return urls_.find(url) != urls_.end(); }

void KnownAddresses::Add(std::string url) { urls_.insert(std::move(url)); }

bool IsStopDir(const ProgramSettings& settings, std::string_view name) {
  return std::find(settings.StopDirList.begin(), settings.StopDirList.end(), name) !=
         settings.StopDirList.end();
}

bool IsKnownFile(const Project& project, const KnownAddresses& known, const std::string& path) {
  return known.Contains(MakeLinkURL(project.DatabaseFile, path, project.Settings.UTF8ModeFlag));
}

bool IsIndexedFileName(const ProgramSettings& settings, std::string_view name) {
  if (IsSettingsFileName(name)) return false;
  const std::string extension = ExtensionOfPath(name);
  return std::find(settings.ExtensionList.begin(), settings.ExtensionList.end(), extension) !=
         settings.ExtensionList.end();
}

void EnsureScanLists(ProgramSettings& settings) {
  if (settings.ExtensionList.empty()) BuildExtensionList(settings);
  if (settings.StopDirList.empty()) BuildStopDirList(settings);
}

void ShowFileProgress(Project& project, const std::string& path) {
  if (project.UI == nullptr) return;
  project.UI->progress(path + "\r\nFiles indexed: " + std::to_string(project.Base.Count()));
  project.UI->processEvents();
}

bool IndexFile(Project& project, const std::string& path, int32_t category) {
  if (project.StopRequested) return false;
  EnsureScanLists(project.Settings);
  if (!IsIndexedFileName(project.Settings, FileNameOfPath(path))) return false;
  ShowFileProgress(project, path);
  // A stop asked for while the events were handled takes effect before this
  // file, so the scan ends right after the file that was being extracted.
  if (project.StopRequested) return false;
  // Listed a moment ago, but it may have been deleted or renamed since.
  if (!project.FileSystem->FileExists(path)) return false;
  TBaseRecord record;
  ExtractFileInfo(path, project.DatabaseFile, record, project.Settings, project.UI);
  record.Cat = category;
  project.Base.Add(std::move(record));
  return true;
}

int AddFolder(Project& project, const std::string& folder, int32_t category, bool recurse,
              bool known) {
  const int before = project.Base.Count();
  EnsureScanLists(project.Settings);
  // Built once per scan; kept up to date with the links the scan adds.
  KnownAddresses addresses = known ? KnownAddresses(TBase{}) : KnownAddresses(project.Base);

  FolderWalkHandlers handlers;
  handlers.stopRequested = [&] { return project.StopRequested; };
  handlers.enterFolder = [&](const std::string&, const std::string& name) {
    return recurse && !IsStopDir(project.Settings, name);
  };
  handlers.entry = [&](const std::string& parent, const std::string& name, EntryKind kind) {
    if (kind != EntryKind::File) return;  // devices, pipes, sockets, dangling links
    // The name test comes first: it is what IndexFile tests anyway, and it
    // spares the address computation for the files that are not indexed.
    if (!IsIndexedFileName(project.Settings, name)) return;
    const std::string path = parent + name;
    if (!known && IsKnownFile(project, addresses, path)) return;
    if (IndexFile(project, path, category) && !known) {
      addresses.Add(project.Base.At(project.Base.Count() - 1).URL);
    }
  };
  WalkFolder(folder, handlers);
  return project.Base.Count() - before;
}

}  // namespace qm
