#include "window/accessible_roles.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QWidget>

namespace qarn {
namespace {

// A box of the editor announced by what it is for, with its text as the value. Qt's own interface
// names such a box by its text on Linux ("Select?"), leaving the purpose to a label the window
// does not have.
class PurposeComboBox : public QAccessibleWidget {
 public:
  explicit PurposeComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    const auto* box = static_cast<const QComboBox*>(widget());
    if (t == QAccessible::Value) return box->currentText();
    if (t == QAccessible::Name && !box->accessibleName().isEmpty()) return box->accessibleName();
    return QAccessibleWidget::text(t);
  }
};

QAccessible::Role RoleFor(const QString& className, const QWidget& widget) {
  // A plain widget as the window (the editor's form) is a window, not a filler.
  if (widget.isWindow()) {
    return className == QLatin1String("QWidget") ? QAccessible::Window : QAccessible::NoRole;
  }
  if (className == QLatin1String("QFrame")) return QAccessible::Grouping;
  if (widget.inherits("qarn::StatusLine")) return QAccessible::StatusBar;
  if (widget.inherits("qarn::ChangeAnnouncer")) return QAccessible::Notification;
  return QAccessible::NoRole;
}

// Qt asks once per class of the object's hierarchy, most derived first; a class not named here
// falls through to Qt's own interfaces.
QAccessibleInterface* WindowPartFactory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  // Decided by the window, not by the box being editable: Qt asks while the box is being built.
  if (auto* box = qobject_cast<QComboBox*>(widget);
      box != nullptr && box->window()->inherits("qarn::TQarnForm")) {
    return new PurposeComboBox(box);
  }
  const QAccessible::Role role = RoleFor(className, *widget);
  if (role == QAccessible::NoRole) return nullptr;
  return new QAccessibleWidget(widget, role);
}

}  // namespace

void InstallAccessibleRoles() {
  static const bool installed = [] {
    QAccessible::installFactory(WindowPartFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace qarn
