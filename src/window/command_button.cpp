#include "window/command_button.h"

#include <QAction>
#include <QActionEvent>

namespace qarn {

void CommandButton::actionEvent(QActionEvent* event) {
  QAction* action = event->action();
  if (event->type() == QEvent::ActionChanged && action == defaultAction() &&
      ShowsAllButEnabled(*action)) {
    setEnabled(action->isEnabled());
    return;
  }
  QToolButton::actionEvent(event);
}

bool CommandButton::ShowsAllButEnabled(const QAction& action) const {
  QString shownText = action.iconText();
  shownText.replace(u'&', QStringLiteral("&&"));  // as Qt shows a text made from the command's
  return text() == shownText && icon().cacheKey() == action.icon().cacheKey() &&
         toolTip() == action.toolTip() && statusTip() == action.statusTip() &&
         whatsThis() == action.whatsThis() && isCheckable() == action.isCheckable() &&
         isChecked() == action.isChecked();
}

}  // namespace qarn
