#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include "window/background_writer.h"

namespace qarn {

// The files last opened or saved, newest first, kept in the user's settings so that the next
// start and every other running editor see them. The settings file is written by a worker
// thread, never by the interface; until it is, this editor shows what it wrote. Tests move the
// settings elsewhere with QSettings::setPath.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 10;

  RecentFiles();

  QStringList Files();
  // Puts the file first (once, by its absolute path) and drops the oldest beyond ten.
  void Add(const QString& path);
  void Remove(const QString& path);
  // Returns once the settings file holds every change made so far.
  void WaitForWrites() { writer_.WaitForAll(); }

 private:
  void Store(const QStringList& files);

  QSettings settings_;
  QStringList written_;  // the list as this editor last stored it
  int pending_ = 0;      // stores not yet on the disk
  BackgroundWriter writer_;
};

}  // namespace qarn
