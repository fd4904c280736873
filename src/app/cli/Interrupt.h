// Ctrl+C during a scan or an update: the first SIGINT only asks the work to
// stop after the current file (what was indexed is then saved); the second
// ends the process at once, as the default action does.
#pragma once

namespace qm::cli {

// Catches SIGINT (and SIGTERM) for the lifetime of the object and restores
// the previous handlers afterwards.
class InterruptCatcher {
 public:
  InterruptCatcher();
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  // True once a signal arrived.
  static bool Requested();
};

}  // namespace qm::cli
