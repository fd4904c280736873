// How the command line prints database records: as text lines or as JSON,
// with every text converted to UTF-8.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "database/LinkModel.h"

namespace qm::cli {

// A database text as UTF-8 for output: a UTF-8 database (or one in the UTF-8
// code page) has each byte that is not valid UTF-8 shown as U+FFFD; a
// single-byte code page database is decoded through its table.
std::string DatabaseTextToUTF8(std::string_view text, bool utf8Mode);

// The address as the user sees it (decoded), as UTF-8.
std::string DisplayAddress(std::string_view url, bool utf8Mode);

// {"cat":0,"caption":"","url":"","address":"","desc":"","keys":[]}
nlohmann::ordered_json RecordToJson(const TBaseRecord& link, bool utf8Mode);

}  // namespace qm::cli
