#include "support/ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace qm::test {

ChildResult RunInChild(const std::function<std::string()>& body) {
  ChildResult result;
  int fds[2];
  if (::pipe(fds) != 0) return result;
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return result;
  }
  if (pid == 0) {
    ::close(fds[0]);
    const std::string report = body();
    size_t done = 0;
    while (done < report.size()) {
      const ssize_t n = ::write(fds[1], report.data() + done, report.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  char buffer[4096];
  while (true) {
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.report.append(buffer, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.exited = WIFEXITED(status);
  result.status = result.exited ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace qm::test
