// Runs a piece of a test in a forked child process, for what must not touch
// the test process itself: another user id, resource limits, a kill.
#pragma once

#include <functional>
#include <string>

namespace qm::test {

struct ChildResult {
  bool exited = false;  // ended by returning (not by a signal)
  int status = -1;      // exit status when it exited
  std::string report;   // what the child's function returned
};

// Forks; the child runs `body` and passes its result back through a pipe,
// then ends with _exit(0) without running the test framework's teardown.
ChildResult RunInChild(const std::function<std::string()>& body);

}  // namespace qm::test
