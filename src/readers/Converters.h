// Office documents through the installed text converters: a document becomes
// an HTML file the indexing engine can read.
#pragma once

#include <string>

namespace qm {

// Converts the document at `source` and writes the result to `target`
// (created or replaced): XHTML when `html` is set, else the converter's RTF.
// Returns whether it succeeded; on failure nothing is written. A system
// without a converter for the document's type gives false.
bool ConvertDocument(const std::string& source, const std::string& target, bool html);

}  // namespace qm
