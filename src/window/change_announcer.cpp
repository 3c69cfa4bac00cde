#include "window/change_announcer.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

namespace qarn {
namespace {

// A combo box's text field carries the box's name when the layout gave it one.
QString SpokenName(const QLineEdit& field) {
  if (!field.accessibleName().isEmpty()) return field.accessibleName();
  return field.parentWidget() != nullptr ? field.parentWidget()->accessibleName() : QString();
}

}  // namespace

ChangeAnnouncer::ChangeAnnouncer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ChangeAnnouncer"));
  setFocusPolicy(Qt::NoFocus);
  hide();  // heard, never seen
  // A timer, not a queued call: a queued call wakes the event loop through the kernel, and the
  // text of some field changes on nearly every click in the lists.
  announceTimer_.setSingleShot(true);
  announceTimer_.setInterval(0);
  connect(&announceTimer_, &QTimer::timeout, this, &ChangeAnnouncer::Announce);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (auto* list = qobject_cast<QAbstractItemView*>(now)) {
      lastRow_ = {list, list->currentIndex().row()};
    }
  });
}

void ChangeAnnouncer::Watch(const QWidget* area) {
  for (QLineEdit* field : area->findChildren<QLineEdit*>()) {
    connect(field, &QLineEdit::textChanged, this, [this, field] { Changed(field); });
  }
}

void ChangeAnnouncer::Changed(QLineEdit* field) {
  if (field->hasFocus()) return;
  if (std::find(changed_.begin(), changed_.end(), field) != changed_.end()) return;
  if (changed_.empty()) announceTimer_.start();
  changed_.emplace_back(field);
}

void ChangeAnnouncer::Announce() {
  QStringList parts;
  for (const QPointer<QLineEdit>& field : changed_) {
    if (field) parts << QStringLiteral("%1 %2").arg(SpokenName(*field), field->text());
  }
  changed_.clear();
  if (parts.isEmpty() || ListRowMoved()) return;
  setAccessibleName(parts.join(QStringLiteral(", ")));
  // Orca speaks a notification when it appears; the widget itself never takes room.
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

bool ChangeAnnouncer::ListRowMoved() {
  const auto* list = qobject_cast<QAbstractItemView*>(QApplication::focusWidget());
  if (list == nullptr) return false;
  const std::pair<const QObject*, int> row{list, list->currentIndex().row()};
  // A command that hands the focus to the list (as every refresh does) is still heard.
  const bool moved = lastRow_.first == list && row != lastRow_;
  lastRow_ = row;
  return moved;
}

}  // namespace qarn
