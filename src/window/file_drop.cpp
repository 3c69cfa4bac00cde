#include "window/file_drop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace qarn {

namespace {

bool MergeHeld(const QDropEvent& event) {
  return event.modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace

FileDrop::FileDrop(QWidget* target) : QObject(target) {
  target->setAcceptDrops(true);
  target->installEventFilter(this);
}

QStringList FileDrop::PathSetFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    if (QFileInfo(path).suffix().compare(QLatin1String("pathset"), Qt::CaseInsensitive) == 0) {
      files << path;
    }
  }
  return files;
}

bool FileDrop::Acceptable(const QStringList& files, bool merge) {
  return merge ? !files.isEmpty() : files.size() == 1;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
    return QObject::eventFilter(watched, event);
  }
  auto& drop = static_cast<QDropEvent&>(*event);
  const QStringList files = PathSetFiles(drop.mimeData());
  const bool merge = MergeHeld(drop);
  // Ctrl may be pressed or let go after the drag has entered: entering needs a path set only.
  if (type == QEvent::DragEnter ? files.isEmpty() : !Acceptable(files, merge)) {
    drop.ignore();
    return true;
  }
  drop.setDropAction(Qt::CopyAction);
  drop.accept();
  if (type != QEvent::Drop) return true;
  if (merge) {
    emit MergeRequested(files);
  } else {
    emit OpenRequested(files.first());
  }
  return true;
}

}  // namespace qarn
