// What the add and update commands share: opening the database they work on,
// and running the work with a progress line and Ctrl+C handling, then saving.
#pragma once

#include <functional>
#include <string>

#include "app/cli/Commands.h"
#include "app/cli/ScanProgress.h"

namespace qm::cli {

// Checks and opens the database file (made absolute, so that link addresses
// are relative to its folder). False, with the reason on stderr, when it is
// not a usable database file. The one empty link that an empty database reads
// as is dropped.
bool OpenForIndexing(Context& context, const std::string& database);

// Runs `work` (which returns a one-line summary) with the progress line and
// the Ctrl+C handling in place, then saves the database. A Ctrl+C stops the
// work after the current file; what was indexed is still saved, and the
// status is kExitFailed. A failed save gives kExitFailed too.
int IndexAndSave(Context& context, const std::function<std::string(ScanProgress&)>& work);

}  // namespace qm::cli
