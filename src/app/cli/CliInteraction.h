// The command line's side of the Interaction seam: messages go to stderr as
// one line each, questions get fixed answers, and a progress line is drawn
// on stderr only when it is a terminal.
#pragma once

#include <string>

#include "platform/Interaction.h"

namespace qm::cli {

class CliInteraction : public Interaction {
 public:
  // `replaceFiles`: the answer to "Replace?" questions (the --force option).
  CliInteraction(bool quiet, bool replaceFiles);

  MessageAnswer messageBox(MessageIcon icon, const std::string& caption, const std::string& text,
                           MessageButtons buttons) override;
  void processEvents() override {}
  void busy(bool) override {}
  void progress(const std::string& text) override;

  // Ends a progress line so that the next output starts on a fresh line.
  void finishProgress();
  // True after an "Error" box was shown.
  bool errorShown() const { return errorShown_; }

 private:
  bool quiet_;
  bool replaceFiles_;
  bool terminal_;
  bool progressShown_ = false;
  bool errorShown_ = false;
};

}  // namespace qm::cli
