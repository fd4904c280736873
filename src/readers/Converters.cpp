#include "readers/Converters.h"

namespace qm {

// No converter is available yet: every document fails quietly, as on a
// system without converters.
bool ConvertDocument(const std::string& source, const std::string& target, bool html) {
  return false;
}

}  // namespace qm
