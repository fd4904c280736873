// Running the built quillmark-cli from a test: its exit status and what it
// printed, optionally as another user (permission tests when the tests run
// as root) or with stderr on a pseudo-terminal.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace qm::test {

struct CliResult {
  int exitCode = -1;  // -1 when it ended by a signal
  int signal = 0;
  std::string out;
  std::string err;
};

// The path of the built quillmark-cli.
std::string CliPath();

// Runs quillmark-cli with `args` and waits for it. With `user` >= 0 the
// program runs with that user and group id (the caller must be root).
CliResult RunCli(const std::vector<std::string>& args, int user = -1);

// A quillmark-cli started with stdin, stdout and stderr on a new
// pseudo-terminal, so that it draws its progress line.
class TerminalCli {
 public:
  explicit TerminalCli(const std::vector<std::string>& args);
  ~TerminalCli();

  pid_t pid() const { return pid_; }
  // Reads what the program wrote until `predicate` holds for it or the
  // program ends; returns everything read so far.
  template <typename Predicate>
  const std::string& ReadUntil(Predicate predicate) {
    while (!predicate(output_) && ReadSome()) {
    }
    return output_;
  }
  // True once SIGINT is caught rather than left to its default action.
  bool CatchesInterrupt() const;
  // Reads the rest of the output and returns the exit status (-1 for a signal).
  int Wait();
  const std::string& output() const { return output_; }

 private:
  bool ReadSome();  // false at the end of the output

  pid_t pid_ = -1;
  int master_ = -1;
  std::string output_;
};

// The files the project's search page links to, one per link of the
// database (see link_targets.js); empty when node is not installed.
std::vector<std::string> SearchPageTargets(const std::string& database, bool* haveNode);

}  // namespace qm::test
