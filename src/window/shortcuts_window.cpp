#include "window/shortcuts_window.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qarn {

namespace {

QString Keys(const QAction* action) {
  QStringList keys;
  for (const QKeySequence& key : action->shortcuts()) {
    keys << key.toString(QKeySequence::NativeText);
  }
  return keys.join(QStringLiteral(", "));
}

QTableWidget* Table(const QList<QAction*>& actions, QWidget* parent) {
  auto* table = new QTableWidget(static_cast<int>(actions.size()), 2, parent);
  table->setObjectName(QStringLiteral("ShortcutsTable"));
  table->setAccessibleName(QStringLiteral("Commands and their keys"));
  table->setHorizontalHeaderLabels({QStringLiteral("Command"), QStringLiteral("Keys")});
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  for (int row = 0; row < actions.size(); ++row) {
    QString text = actions[row]->text();
    text.remove(QLatin1Char('&'));
    table->setItem(row, 0, new QTableWidgetItem(text));
    table->setItem(row, 1, new QTableWidgetItem(Keys(actions[row])));
  }
  table->resizeColumnsToContents();
  return table;
}

}  // namespace

ShortcutsWindow::ShortcutsWindow(const QList<QAction*>& actions, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ShortcutsWindow"));
  setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Table(actions, this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  resize(460, 560);
}

}  // namespace qarn
