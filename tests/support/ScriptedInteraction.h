// A test double of Interaction: records every message box and answers
// questions from a script (then with a default).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Interaction.h"

namespace qm::test {

class ScriptedInteraction : public Interaction {
 public:
  struct Message {
    MessageIcon icon;
    std::string caption;
    std::string text;
    MessageButtons buttons;
  };

  MessageAnswer messageBox(MessageIcon icon, const std::string& caption, const std::string& text,
                           MessageButtons buttons) override;
  void processEvents() override;
  void busy(bool on) override;
  void progress(const std::string& text) override { progressTexts.push_back(text); }

  // The answers given to the next questions, in order.
  std::deque<MessageAnswer> answers;
  MessageAnswer defaultAnswer = MessageAnswer::No;
  // Called from processEvents (a Stop button being pressed, say).
  std::function<void()> onProcessEvents;

  std::vector<Message> messages;
  std::vector<std::string> progressTexts;
  int processEventsCalls = 0;
  int busyDepth = 0;      // 0 when every busy(true) was matched by busy(false)
  int busyCalls = 0;
};

}  // namespace qm::test
