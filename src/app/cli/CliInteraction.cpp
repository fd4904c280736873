#include "app/cli/CliInteraction.h"

#include <unistd.h>

#include <cstdio>

namespace qm::cli {
namespace {

// A message box's text on one line: line breaks become blanks, and the
// blanks they leave are folded.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    const char d = (c == '\n' || c == '\r') ? ' ' : c;
    if (d == ' ' && !line.empty() && line.back() == ' ') continue;
    line.push_back(d);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

CliInteraction::CliInteraction(bool quiet, bool replaceFiles)
    : quiet_(quiet), replaceFiles_(replaceFiles), terminal_(::isatty(STDERR_FILENO) == 1) {}

MessageAnswer CliInteraction::messageBox(MessageIcon icon, const std::string& caption,
                                         const std::string& text, MessageButtons buttons) {
  finishProgress();
  if (icon == MessageIcon::Error) errorShown_ = true;
  MessageAnswer answer = MessageAnswer::Ok;
  if (buttons == MessageButtons::YesNo) answer = replaceFiles_ ? MessageAnswer::Yes : MessageAnswer::No;
  if (buttons == MessageButtons::YesNoCancel) answer = MessageAnswer::Cancel;
  if (icon == MessageIcon::Error || !quiet_) {
    std::string line = "quillmark-cli: " + OneLine(text);
    if (buttons == MessageButtons::YesNo) line += answer == MessageAnswer::Yes ? " Yes." : " No.";
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  return answer;
}

void CliInteraction::progress(const std::string& text) {
  if (quiet_ || !terminal_) return;
  std::fprintf(stderr, "\r\033[K%s", text.c_str());
  std::fflush(stderr);
  progressShown_ = true;
}

void CliInteraction::finishProgress() {
  if (!progressShown_) return;
  std::fprintf(stderr, "\n");
  progressShown_ = false;
}

}  // namespace qm::cli
