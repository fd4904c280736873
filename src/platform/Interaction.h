// The one seam through which the core talks to the person using it: message
// boxes, letting pending events be handled during long work, and the busy
// cursor. The GUI implements it with Qt, the CLI with stderr and fixed answers,
// tests with a scripted double that records every text.
#pragma once

#include <string>

namespace qm {

enum class MessageIcon { Error, Warning, Question, Information };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Interaction {
 public:
  virtual ~Interaction() = default;

  // Shows a message box and returns the button chosen. Texts are UTF-8.
  virtual MessageAnswer messageBox(MessageIcon icon, const std::string& caption,
                                   const std::string& text, MessageButtons buttons) = 0;
  // Lets pending user-interface events run (repaints, a Stop button).
  virtual void processEvents() = 0;
  // Shows or hides the busy cursor.
  virtual void busy(bool on) = 0;
  // Shows a progress text of a long operation ("Files indexed: 12").
  virtual void progress(const std::string& text) {}
};

// Shows an error box: title "Error", error icon, OK button.
void ShowError(Interaction& ui, const std::string& text);

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
 public:
  explicit BusyCursor(Interaction& ui) : ui_(ui) { ui_.busy(true); }
  ~BusyCursor() { ui_.busy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Interaction& ui_;
};

// An Interaction that shows nothing and answers every question with its
// default: No for Yes/No questions, Cancel for Yes/No/Cancel, OK otherwise.
class SilentInteraction : public Interaction {
 public:
  MessageAnswer messageBox(MessageIcon, const std::string&, const std::string&,
                           MessageButtons buttons) override;
  void processEvents() override {}
  void busy(bool) override {}
};

}  // namespace qm
