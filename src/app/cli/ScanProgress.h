// The command line's Interaction during a scan or an update: a progress line
// on stderr (file count, rate, current file), redrawn in place at most ten
// times a second and only when stderr is a terminal; messages and questions
// go to the command's CliInteraction; a Ctrl+C becomes the project's stop
// request, seen between files as a Stop button would be.
#pragma once

#include <chrono>
#include <string>

#include "app/cli/CliInteraction.h"
#include "platform/Interaction.h"

namespace qm {
struct Project;
}

namespace qm::cli {

class ScanProgress : public Interaction {
 public:
  ScanProgress(CliInteraction& messages, Project& project, bool quiet);
  ~ScanProgress() override;

  MessageAnswer messageBox(MessageIcon icon, const std::string& caption, const std::string& text,
                           MessageButtons buttons) override;
  void processEvents() override;
  void busy(bool) override {}
  // Takes the progress text of one file, "<path>\r\n<count line>".
  void progress(const std::string& text) override;

  // Clears the progress line.
  void finish();
  int files() const { return files_; }
  bool interrupted() const { return interrupted_; }
  double seconds() const;

 private:
  void draw();

  CliInteraction& messages_;
  Project& project_;
  bool show_;
  bool drawn_ = false;
  bool interrupted_ = false;
  int files_ = 0;
  std::string current_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace qm::cli
