#include "CliRunner.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/TempFolder.h"

namespace qm::test {
namespace {

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  return argv;
}

int ExitCode(int status, int* signal) {
  if (WIFSIGNALED(status)) {
    if (signal != nullptr) *signal = WTERMSIG(status);
    return -1;
  }
  return WEXITSTATUS(status);
}

}  // namespace

std::string CliPath() { return std::string(QUILLMARK_BIN_DIR) + "/quillmark-cli"; }

CliResult RunCli(const std::vector<std::string>& args, int user) {
  TempFolder outputs;
  const std::string out = outputs / "out", err = outputs / "err";
  const std::string program = CliPath();
  std::vector<char*> argv = Argv(program, args);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int nullFd = ::open("/dev/null", O_RDONLY);
    ::dup2(nullFd, 0);
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    if (user >= 0 && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0)) {
      ::_exit(126);
    }
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  CliResult result;
  result.exitCode = ExitCode(status, &result.signal);
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

TerminalCli::TerminalCli(const std::vector<std::string>& args) {
  const std::string program = CliPath();
  std::vector<char*> argv = Argv(program, args);
  pid_ = ::forkpty(&master_, nullptr, nullptr, nullptr);
  if (pid_ == 0) {
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
}

TerminalCli::~TerminalCli() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) ::close(master_);
}

bool TerminalCli::ReadSome() {
  char buffer[4096];
  struct pollfd ready = {master_, POLLIN, 0};
  if (::poll(&ready, 1, 10000) <= 0) return false;
  const ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n <= 0) return false;  // EIO once the program has ended
  output_.append(buffer, static_cast<size_t>(n));
  return true;
}

bool TerminalCli::CatchesInterrupt() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) {
      const unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
      return (mask >> (SIGINT - 1)) & 1;
    }
  }
  return false;
}

int TerminalCli::Wait() {
  while (ReadSome()) {
  }
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return ExitCode(status, nullptr);
}

std::vector<std::string> SearchPageTargets(const std::string& database, bool* haveNode) {
  *haveNode = std::system("node --version >/dev/null 2>&1") == 0;
  if (!*haveNode) return {};
  TempFolder outputs;
  const std::string script = std::string(QUILLMARK_SOURCE_DIR) + "/tests/unit/app/link_targets.js";
  const std::string command = "node '" + script + "' '" + database + "' > '" + (outputs / "out") + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::istringstream lines(ReadFile(outputs / "out"));
  std::vector<std::string> targets;
  for (std::string line; std::getline(lines, line);) targets.push_back(line);
  return targets;
}

}  // namespace qm::test
