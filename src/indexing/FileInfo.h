// The one entry that turns a file into a filled link record, choosing by the
// file's extension how it becomes a page the extraction can read.
#pragma once

#include <string>

#include "database/LinkModel.h"
#include "indexing/ProgramSettings.h"

namespace qm {

class Interaction;

// Fills `record` for `file` (a full path); the address is made relative to
// `databaseFile`. Reports nothing: an unreadable file gives empty fields.
// `settings` are the program-wide switches, reloaded from the project's
// settings files as indexing goes; `ui` (may be null) shows the busy cursor.
void ExtractFileInfo(const std::string& file, const std::string& databaseFile,
                     TBaseRecord& record, ProgramSettings& settings, Interaction* ui = nullptr);

}  // namespace qm
