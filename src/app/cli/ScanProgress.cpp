#include "app/cli/ScanProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

#include "app/cli/Interrupt.h"
#include "driver/Project.h"

namespace qm::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

size_t TerminalWidth() {
  struct winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20) return size.ws_col;
  return 80;
}

// The end of a path that fits `width` columns (counting UTF-8 characters),
// with "..." in front when it was cut.
std::string PathTail(const std::string& path, size_t width) {
  size_t characters = 0;
  for (unsigned char c : path) characters += (c & 0xC0) != 0x80;
  if (characters <= width) return path;
  size_t keep = width > 3 ? width - 3 : 0;
  size_t at = path.size();
  while (at > 0 && keep > 0) {
    --at;
    if ((static_cast<unsigned char>(path[at]) & 0xC0) != 0x80) --keep;
  }
  return "..." + path.substr(at);
}

}  // namespace

ScanProgress::ScanProgress(CliInteraction& messages, Project& project, bool quiet)
    : messages_(messages),
      project_(project),
      show_(!quiet && ::isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()) {}

ScanProgress::~ScanProgress() { finish(); }

MessageAnswer ScanProgress::messageBox(MessageIcon icon, const std::string& caption,
                                       const std::string& text, MessageButtons buttons) {
  finish();
  return messages_.messageBox(icon, caption, text, buttons);
}

void ScanProgress::processEvents() {
  if (InterruptCatcher::Requested() && !interrupted_) {
    interrupted_ = true;
    project_.StopRequested = true;
  }
}

void ScanProgress::progress(const std::string& text) {
  ++files_;
  current_ = text.substr(0, text.find("\r\n"));
  const auto now = std::chrono::steady_clock::now();
  if (show_ && (files_ == 1 || now - lastDraw_ >= kRedrawInterval)) {
    lastDraw_ = now;
    draw();
  }
}

double ScanProgress::seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ScanProgress::draw() {
  const double elapsed = seconds();
  char counts[96];
  std::snprintf(counts, sizeof counts, "%d files  %.0f files/s  ", files_,
                elapsed > 0 ? files_ / elapsed : 0.0);
  const std::string head(counts);
  const size_t width = TerminalWidth() - 1;
  const std::string line =
      head + PathTail(current_, width > head.size() ? width - head.size() : 0);
  std::fprintf(stderr, "\r\033[K%s", line.c_str());
  std::fflush(stderr);
  drawn_ = true;
}

void ScanProgress::finish() {
  if (!drawn_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace qm::cli
