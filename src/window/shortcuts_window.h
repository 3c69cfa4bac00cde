#pragma once

#include <QDialog>
#include <QList>

class QAction;

namespace qarn {

// Help > Keyboard Shortcuts: every command with its keys, in menu order. It stays open beside
// the editor.
class ShortcutsWindow : public QDialog {
  Q_OBJECT

 public:
  ShortcutsWindow(const QList<QAction*>& actions, QWidget* parent);
};

}  // namespace qarn
