#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

namespace qarn {

// The files last opened or saved, newest first, kept in the user's settings so that the next
// start and every other running editor see them. Tests move the settings elsewhere with
// QSettings::setPath.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 10;

  RecentFiles();

  QStringList Files();
  // Puts the file first (once, by its absolute path) and drops the oldest beyond ten.
  void Add(const QString& path);
  void Remove(const QString& path);

 private:
  void Store(const QStringList& files);

  QSettings settings_;
};

}  // namespace qarn
