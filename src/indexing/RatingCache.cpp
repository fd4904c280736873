#include "indexing/RatingCache.h"

#include "indexing/Ratings.h"

namespace qm {

bool RatingCache::Load(const SettingsFiles& files, TRating& rating, ProgramSettings& program) {
  return rating.LoadSettings(files);
}

}  // namespace qm
