#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;

namespace qarn {

// Path-set files dropped on a widget: a single file is to be opened, one or more dropped with
// Ctrl held are to be merged. Anything else is refused while it is dragged, so nothing else is
// ever dropped. The drop is always taken as a copy: the program the files come from must never
// delete them.
class FileDrop : public QObject {
  Q_OBJECT

 public:
  // Watches `target`'s drag and drop events and lets it accept drops.
  explicit FileDrop(QWidget* target);

  // The local files named *.pathset in the dragged data, in their order.
  static QStringList PathSetFiles(const QMimeData* data);

 signals:
  void OpenRequested(const QString& path);
  void MergeRequested(const QStringList& paths);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static bool Acceptable(const QStringList& files, bool merge);
};

}  // namespace qarn
