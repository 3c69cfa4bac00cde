#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "fileio/disk_snapshot.h"

class QWidget;

namespace qarn {

class FormDialogs;

// Keeps another program's change to the open file from being overwritten unseen. It remembers
// what the file was when it was loaded or saved; before a save to the same file it checks, and
// when the file changed it asks whether to overwrite it, reload it or cancel. While the editor
// runs it watches the file: with no unsaved changes it offers to reload, with unsaved changes it
// says once that the file changed. The questions wait until the window is active.
class DiskChangeGuard : public QObject {
  Q_OBJECT

 public:
  struct Document {
    std::function<bool()> modified;
    std::function<void(const QString& path)> reload;
  };

  DiskChangeGuard(QWidget& window, FormDialogs& dialogs, Document document);

  // The document now holds the file at `path` as it is on disk (just loaded or saved).
  void Remember(const QString& path);
  // The document holds `path` as it was (`then`) when a recovery copy was made; unknown when
  // nothing is given, and then no save asks. An empty path forgets.
  void RememberAsWas(const QString& path, std::optional<DiskSnapshot> then);
  // What the file was when the document last matched it; nothing when unknown.
  const std::optional<DiskSnapshot>& Snapshot() const;
  // An untitled document: nothing to guard.
  void Forget();

  // Before the document is written to `path`: true when it may be. A changed file asks first;
  // Reload reloads it and Cancel keeps everything as it is (both false). Throws when the file
  // cannot be checked, so a check that fails never lets a save overwrite it.
  bool MayWrite(const QString& path);

  // Whether the file the document was saved as holds other bytes now than then.
  static bool ChangedSince(const QString& path, const std::optional<DiskSnapshot>& then);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch(const QString& path);
  void FileChanged();
  void AskWhenActive();
  void Ask();

  QWidget& window_;
  FormDialogs& dialogs_;
  Document document_;
  QFileSystemWatcher watcher_;
  QString path_;
  void HashLater(QByteArray bytes);
  void Settle() const;

  // The snapshot's hash is worked out from `unhashed_` once the window has painted, or when
  // first needed: the hash of a large file takes a tenth of the start.
  mutable std::optional<DiskSnapshot> snapshot_;
  mutable QByteArray unhashed_;  // null when nothing waits
  bool pending_ = false;         // a change waits for the window to become active
  bool toldModified_ = false;    // the change was reported while there were unsaved changes
};

}  // namespace qarn
