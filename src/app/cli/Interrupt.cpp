#include "app/cli/Interrupt.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

namespace qm::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
struct sigaction previousInt {};
struct sigaction previousTerm {};

void OnInterrupt(int) {
  interrupted = 1;
  static const char kNotice[] =
      "\nquillmark-cli: stopping after the current file (Ctrl+C again to quit at once)\n";
  const ssize_t ignored = ::write(STDERR_FILENO, kNotice, sizeof kNotice - 1);
  (void)ignored;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // a second signal takes the default action
  ::sigaction(SIGINT, &action, &previousInt);
  ::sigaction(SIGTERM, &action, &previousTerm);
}

InterruptCatcher::~InterruptCatcher() {
  ::sigaction(SIGINT, &previousInt, nullptr);
  ::sigaction(SIGTERM, &previousTerm, nullptr);
}

bool InterruptCatcher::Requested() { return interrupted != 0; }

}  // namespace qm::cli
