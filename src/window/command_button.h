#pragma once

#include <QToolButton>

class QAction;
class QActionEvent;

namespace qarn {

// A glyph button that shows a command. Qt applies every change of the command to the button in
// full, and setting the icon again makes the button ask its parent for a new layout: a posted
// event that wakes the event loop. A click in the lists flips the enabled state of some commands
// and changes nothing else about them, so such a change only enables or disables the button.
class CommandButton : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void actionEvent(QActionEvent* event) override;

 private:
  // Whether the button shows everything of the command that Qt would apply, but its enabled
  // state. The commands have no icon text or font of their own.
  bool ShowsAllButEnabled(const QAction& action) const;
};

}  // namespace qarn
