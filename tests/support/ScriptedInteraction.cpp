#include "support/ScriptedInteraction.h"

namespace qm::test {

MessageAnswer ScriptedInteraction::messageBox(MessageIcon icon, const std::string& caption,
                                              const std::string& text, MessageButtons buttons) {
  messages.push_back({icon, caption, text, buttons});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) return defaultAnswer;
  MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedInteraction::processEvents() {
  ++processEventsCalls;
  if (onProcessEvents) onProcessEvents();
}

void ScriptedInteraction::busy(bool on) {
  ++busyCalls;
  busyDepth += on ? 1 : -1;
}

}  // namespace qm::test
