#include "database/DatabaseFile.h"

#include "database/ByteScan.h"
#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Env.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"

namespace qm {
namespace {

// The parts of the old file that a save keeps.
struct Frame {
  std::string prefix;  // through the settings marker and the two bytes after it
  std::string suffix;  // from the end marker to the end of the file
};

bool FindFrame(const std::string& file, const DatabaseMarkers& markers, Frame& frame) {
  size_t afterSettings = 0;
  if (!FindText(file, markers.settings, afterSettings)) return false;
  size_t afterEnd = afterSettings;
  if (!FindText(file, markers.end, afterEnd)) return false;
  frame.prefix = file.substr(0, std::min(file.size(), afterSettings + 2));
  frame.suffix = file.substr(afterEnd - markers.end.size());
  return true;
}

bool WriteAll(WritableFile& out, const Frame& frame, const TCat& categories, const TBase& links) {
  return out.Append(frame.prefix) && categories.WriteTo(out) && links.WriteTo(out) &&
         out.Append(frame.suffix) && out.Sync();
}

}  // namespace

bool SaveDatabaseFile(const std::string& path, const DatabaseMarkers& markers,
                      const TCat& categories, const TBase& links, Interaction& ui, Env& env) {
  BusyCursor busy(ui);
  Frame frame;
  bool framed = false;
  {
    std::string file;
    if (!env.ReadFile(path, &file)) {
      ShowError(ui, std::string(kCannotSaveMessage));
      return false;
    }
    framed = FindFrame(file, markers, frame);
  }  // the old content is released before the new one is built

  const std::string temp = path + "~temp~";
  // Whatever stands under the temporary name (what an interrupted save left,
  // or a link planted there) goes first; the new file is made afresh.
  env.DeleteFile(temp);
  std::unique_ptr<WritableFile> out = env.NewWritableFile(temp);
  if (!out) {
    ShowError(ui, std::string(kCannotSaveMessage));
    return false;
  }
  if (!framed) {
    out.reset();
    env.DeleteFile(temp);
    ShowError(ui, std::string(kNoDatabaseMessage));
    return false;
  }
  bool written = WriteAll(*out, frame, categories, links);
  written = out->Close() && written;
  out.reset();
  if (!written || !env.RenameFile(temp, path)) {
    env.DeleteFile(temp);
    ShowError(ui, std::string(kCannotSaveMessage));
    return false;
  }
  env.SyncFolder(FolderOfPath(path));
  return true;
}

}  // namespace qm
