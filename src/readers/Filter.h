// Text of any other document type through a content filter installed for it.
#pragma once

#include <string>

namespace qm {

// Extracts the text of the document at `source` into the text file `target`
// (created or replaced). With `title` set the text begins with a title element
// made from the document's first line. Returns whether it succeeded; on
// failure no file is written. A document type without a filter gives false.
bool FilterToText(const std::string& source, const std::string& target, bool title);

}  // namespace qm
