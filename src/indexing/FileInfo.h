// The one entry that turns a file into a filled link record, choosing by the
// file's extension how it becomes a page the extraction can read:
//   audio (.mp3 .ogg): a temporary page made from its tags;
//   pages (.html .htm .shtml .phtml .php .php3 .php4 .php5 .asp .jsp .txt
//     .m3u): the file itself;
//   office documents (.doc .docx .docm .xls .wri .wpd .pwd .pwi .wk1 .wk3
//     .wk4 .xlw .mcw .wps .wpt): a content filter's text, else a temporary
//     page from the converters;
//   anything else: a content filter's text, else the file read as text.
// A route that yields no keyword falls back to the next; the file read as
// text is the last resort for every type but pages and office documents.
#pragma once

#include <string>

#include "database/LinkModel.h"
#include "indexing/ProgramSettings.h"

namespace qm {

class Interaction;

// Fills `record` for `file` (a full path); the address is that of `file`
// itself, relative to `databaseFile`, never that of a temporary page. Reports
// nothing: an unreadable file gives empty fields. `settings` are the
// program-wide switches, reloaded from the project's settings files as
// indexing goes; `ui` (may be null) shows the busy cursor. Temporary files
// are deleted before it returns.
void ExtractFileInfo(const std::string& file, const std::string& databaseFile,
                     TBaseRecord& record, ProgramSettings& settings, Interaction* ui = nullptr);

}  // namespace qm
