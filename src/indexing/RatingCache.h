// Loaded indexing settings kept between files. Reading and indexing the three
// settings files for every file would cost more than rating a typical page;
// the cache keeps the result of a load and gives it again while the files
// are unchanged. A file is unchanged while its path, inode, size, change and
// modification times are, so an edit made between two files takes effect at
// the next file, as a fresh load would.
#pragma once

#include "indexing/ProgramSettings.h"
#include "indexing/RatingSettings.h"

namespace qm {

class TRating;

class RatingCache {
 public:
  // Gives `rating` the settings of `files` and applies their program-wide
  // keys to `program`, with the same effect and result as
  // rating.LoadSettings(files).
  bool Load(const SettingsFiles& files, TRating& rating, ProgramSettings& program);
};

}  // namespace qm
