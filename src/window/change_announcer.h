#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <utility>
#include <vector>

class QLineEdit;

namespace qarn {

// Tells a screen reader what a command changed. A command fills fields the user is not in, and
// no screen reader reads those by itself; this widget gathers the fields that changed while the
// focus was elsewhere and, once the command is over, raises one notification that names each
// with its new text ("x of point 1 12.50, z of point 1 -3.00"). Moving to another row of a list
// refills every field too; then the row itself is what the user hears, and nothing more.
class ChangeAnnouncer : public QWidget {
  Q_OBJECT

 public:
  explicit ChangeAnnouncer(QWidget* parent);

  // Watches every text field below `area`, the text fields of its combo boxes included.
  void Watch(const QWidget* area);
  // The sentence most recently announced.
  QString LastAnnouncement() const { return accessibleName(); }

 private:
  void Changed(QLineEdit* field);
  void Announce();
  // Whether the list with the focus has another current row than when it took the focus or at
  // the last announcement.
  bool ListRowMoved();

  std::vector<QPointer<QLineEdit>> changed_;  // in the order they changed, each once
  std::pair<const QObject*, int> lastRow_{nullptr, -1};
  QTimer announceTimer_;
};

}  // namespace qarn
