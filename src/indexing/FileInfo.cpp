#include "indexing/FileInfo.h"

#include <array>
#include <memory>
#include <string_view>

#include "database/Addresses.h"
#include "indexing/PageInfo.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"
#include "readers/AudioTag.h"
#include "readers/Converters.h"
#include "readers/Filter.h"

namespace qm {
namespace {

enum class FileGroup { Audio, Page, Office, Other };

constexpr std::array<std::string_view, 2> kAudio = {".mp3", ".ogg"};
constexpr std::array<std::string_view, 12> kPages = {".html", ".htm", ".shtml", ".phtml",
                                                     ".php",  ".php3", ".php4", ".php5",
                                                     ".asp",  ".jsp",  ".txt",  ".m3u"};
constexpr std::array<std::string_view, 15> kOffice = {".doc", ".docx", ".docm", ".xls", ".wri",
                                                      ".wpd", ".pwd",  ".pwi",  ".wk1", ".wk3",
                                                      ".wk4", ".xlw",  ".mcw",  ".wps", ".wpt"};

template <size_t N>
bool Holds(const std::array<std::string_view, N>& group, std::string_view extension) {
  for (std::string_view member : group) {
    if (member == extension) return true;
  }
  return false;
}

// The group of a file by the extension of its name, from the last full stop,
// full stop included, lower-cased.
FileGroup GroupOf(const std::string& file) {
  const std::string name = FileNameOfPath(file);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return FileGroup::Other;
  const std::string extension = LowerBytes(std::string_view(name).substr(dot));
  if (Holds(kAudio, extension)) return FileGroup::Audio;
  if (Holds(kPages, extension)) return FileGroup::Page;
  if (Holds(kOffice, extension)) return FileGroup::Office;
  return FileGroup::Other;
}

// What every route needs to extract one file.
struct Extraction {
  const std::string& file;
  const std::string& databaseFile;
  TBaseRecord& record;
  ProgramSettings& settings;

  void PageInfo(const std::string& page) { ExtractPageInfo(page, file, databaseFile, record, settings); }
  std::string FileURL() const { return MakeLinkURL(databaseFile, file, settings.UTF8ModeFlag); }

  // The audio file's tags as a temporary page, indexed in the file's place.
  void AudioInfo() {
    const std::string page = AudioFileToHtml(file);
    const std::string temp = MakeTempName(".html");
    if (temp.empty()) return;
    std::unique_ptr<WritableFile> out = Env::Default().NewWritableFile(temp);
    const bool written = out != nullptr && out->Append(page) && out->Close();
    if (written) PageInfo(temp);
    RemoveTempFile(temp);
    if (written) record.URL = FileURL();
  }

  // A page written by `convert` (a converter or a filter) into a temporary
  // file with `suffix`, indexed in the file's place when it succeeds.
  template <typename Convert>
  void ConvertedInfo(std::string_view suffix, Convert convert) {
    record.Caption.clear();
    record.URL = FileURL();
    const std::string url = record.URL;
    const std::string temp = MakeTempName(suffix);
    if (!temp.empty()) {
      if (convert(temp)) PageInfo(temp);
      RemoveTempFile(temp);
    }
    record.URL = url;
  }
};

}  // namespace

void ExtractFileInfo(const std::string& file, const std::string& databaseFile,
                     TBaseRecord& record, ProgramSettings& settings, Interaction* ui) {
  std::unique_ptr<BusyCursor> busy;
  if (ui != nullptr) busy = std::make_unique<BusyCursor>(*ui);

  const FileGroup group = GroupOf(file);
  record = TBaseRecord{};
  Extraction extraction{file, databaseFile, record, settings};
  if (group == FileGroup::Page) {
    extraction.PageInfo(file);
    return;
  }
  if (group == FileGroup::Audio) extraction.AudioInfo();
  if (!record.Keys.empty()) return;
  extraction.ConvertedInfo(".txt", [&](const std::string& temp) { return FilterToText(file, temp, true); });
  if (!record.Keys.empty()) return;
  if (group == FileGroup::Office) {
    extraction.ConvertedInfo(".html",
                             [&](const std::string& temp) { return ConvertDocument(file, temp, true); });
  } else {
    extraction.PageInfo(file);
  }
}

}  // namespace qm
