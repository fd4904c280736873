#include "platform/Interaction.h"

namespace qm {

void ShowError(Interaction& ui, const std::string& text) {
  ui.messageBox(MessageIcon::Error, "Error", text, MessageButtons::Ok);
}

MessageAnswer SilentInteraction::messageBox(MessageIcon, const std::string&, const std::string&,
                                            MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    case MessageButtons::Ok: break;
  }
  return MessageAnswer::Ok;
}

}  // namespace qm
