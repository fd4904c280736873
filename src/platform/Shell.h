// Opening documents, folders and web addresses with what the desktop
// associates with them (xdg-open). Nothing is reported on failure.
#pragma once

#include <string_view>

namespace qm {

// Opens the path or address; when that fails, opens the containing folder
// in the file manager instead.
void OpenDocument(std::string_view pathOrAddress);

// OpenDocument of the base address immediately followed by the query.
void OpenWebPage(std::string_view baseAddress, std::string_view query);

}  // namespace qm
