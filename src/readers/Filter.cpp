#include "readers/Filter.h"

namespace qm {

// No filter is available yet: every document gives no text, as on a system
// without filters.
bool FilterToText(const std::string& source, const std::string& target, bool title) {
  return false;
}

}  // namespace qm
