#include "window/recent_files.h"

#include <QFileInfo>

namespace qarn {

namespace {

const QString kKey = QStringLiteral("recentFiles");

QString Absolute(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

}  // namespace

RecentFiles::RecentFiles()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qarn"),
                QStringLiteral("qarn")) {}

QStringList RecentFiles::Files() {
  if (pending_ > 0) return written_;
  settings_.sync();  // another editor may have opened or saved a file meanwhile
  return settings_.value(kKey).toStringList().mid(0, kMaxFiles);
}

void RecentFiles::Add(const QString& path) {
  QStringList files = Files();
  if (!files.isEmpty() && files.first() == Absolute(path)) return;  // nothing to rewrite
  files.removeAll(Absolute(path));
  files.prepend(Absolute(path));
  Store(files.mid(0, kMaxFiles));
}

void RecentFiles::Remove(const QString& path) {
  QStringList files = Files();
  if (files.removeAll(Absolute(path)) > 0) Store(files);
}

// Settings that cannot be written cost only the list, never the document: no message. The
// worker has a QSettings of its own, as one QSettings must not serve two threads.
void RecentFiles::Store(const QStringList& files) {
  written_ = files;
  ++pending_;
  writer_.Post(
      [files, format = settings_.format(), file = settings_.fileName()] {
        QSettings settings(file, format);
        settings.setValue(kKey, files);
        settings.sync();
      },
      [this](const QString&) { --pending_; });
}

}  // namespace qarn
