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
  settings_.sync();  // another editor may have opened or saved a file meanwhile
  return settings_.value(kKey).toStringList().mid(0, kMaxFiles);
}

void RecentFiles::Add(const QString& path) {
  QStringList files = Files();
  files.removeAll(Absolute(path));
  files.prepend(Absolute(path));
  Store(files.mid(0, kMaxFiles));
}

void RecentFiles::Remove(const QString& path) {
  QStringList files = Files();
  files.removeAll(Absolute(path));
  Store(files);
}

// Settings that cannot be written cost only the list, never the document: no message.
void RecentFiles::Store(const QStringList& files) {
  settings_.setValue(kKey, files);
  settings_.sync();
}

}  // namespace qarn
