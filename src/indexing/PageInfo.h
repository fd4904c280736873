// Page information extraction: one link record from one HTML or text page.
// The caption is the title, the file name (file-name caption mode) or a
// string after the script title marker; the description is the description
// meta element, a string after the script description marker, or else the
// body text; the keywords come from the rating; the category from a
// "quillmark-category" value in the page.
#pragma once

#include <string>

#include "database/LinkModel.h"
#include "indexing/ProgramSettings.h"

namespace qm {

// Fills `record` from the page at `page`. `indexedFile` is the file the link
// stands for (the same path, or the real file when `page` is a temporary page
// made from it): it gives the file-name caption and the file-name keywords.
// `databaseFile` gives the link address (of `page`) and the settings files:
// those of its folder, else those of the program folder; reading them also
// refreshes the program-wide settings in `program`. Reports nothing: an
// unreadable page gives a record with only the address and the file-name
// keywords.
void ExtractPageInfo(const std::string& page, const std::string& indexedFile,
                     const std::string& databaseFile, TBaseRecord& record, ProgramSettings& program);

// A double-quoted script string as written in the page: a backslash that is
// not the last byte is dropped and the byte after it taken unchanged.
std::string UnescapeScriptString(std::string_view text);

}  // namespace qm
